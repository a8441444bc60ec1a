#include "voice/fft_tables.h"
#include "voice/period_table.h"
#include "voice/radix2_transform.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <numbers>
#include <random>
#include <vector>

namespace {

std::vector<std::complex<double>> directDft(const std::vector<std::complex<double>>& x)
{
    const size_t n = x.size();
    std::vector<std::complex<double>> out(n);
    for (size_t m = 0; m < n; ++m) {
        std::complex<double> sum = 0;
        for (size_t k = 0; k < n; ++k)
            sum += x[k] * std::polar(1.0, -2 * std::numbers::pi * double((m * k) % n) / double(n));
        out[m] = sum;
    }
    return out;
}

TEST(Transform, MatchesDirectDftOnRandomBlocksOfBothLengths)
{
    std::mt19937 random(1234);
    std::uniform_real_distribution<double> value(-1.0, 1.0);
    for (int stages : {10, 11}) {
        const FftTables& tables = fftTablesForStages(stages);
        const int n = tables.size;
        std::vector<double> re(n), im(n);
        std::vector<std::complex<double>> input(n);
        for (int i = 0; i < n; ++i)
            input[i] = {re[i] = value(random), im[i] = value(random)};
        radix2Transform(re.data(), im.data(), tables);
        auto expected = directDft(input);
        double worst = 0;
        for (int m = 0; m < n; ++m) {
            const auto p = tables.bitReversal[m];
            worst = std::max(worst, std::abs(std::complex<double>(re[p], im[p]) - expected[m]));
        }
        // The six-decimal sine table limits the agreement to about 1e-6 per
        // twiddle; over 11 passes on values of size ~sqrt(N) that stays well under 1e-3.
        EXPECT_LT(worst, 1e-3) << "N = " << n;
    }
}

TEST(FftTables, SineIsRoundedToSixDecimals)
{
    for (int stages : {10, 11}) {
        const FftTables& tables = fftTablesForStages(stages);
        for (int k = 0; k < tables.size; ++k) {
            const double exact = std::sin(2 * std::numbers::pi * k / tables.size);
            ASSERT_EQ(tables.sine[k], std::round(exact * 1e6) / 1e6) << k;
        }
    }
}

TEST(PeriodTable, FollowsTheTuningFromTheReferencePeriods)
{
    const PeriodTable a440 = buildPeriodTable(440);
    EXPECT_NEAR(a440[0], 168.5616, 1e-4);
    EXPECT_NEAR(a440[33], 25.0569, 1e-4);
    EXPECT_NEAR(a440[48], 10.5351, 1e-4);
    // Each hertz of A moves every period by the same proportion, including
    // references that are not multiples of eight.
    const PeriodTable a436 = buildPeriodTable(436), a437 = buildPeriodTable(437);
    for (int e = 0; e < periodTableSize; ++e)
        EXPECT_NEAR(a436[e] / a437[e], 437.0 / 436.0, 1e-12);
}

} // namespace
