#include "voice/fft_tables.h"

#include <cmath>
#include <numbers>
#include <stdexcept>

FftTables makeFftTables(int stages)
{
    FftTables tables;
    tables.stages = stages;
    tables.size = 1 << stages;
    const int n = tables.size;
    tables.sine.resize(n);
    tables.bitReversal.resize(n);
    for (int k = 0; k < n; ++k) {
        double exact = std::sin(2.0 * std::numbers::pi * k / n);
        tables.sine[k] = std::round(exact * 1e6) / 1e6;
        std::uint32_t reversed = 0;
        for (int bit = 0; bit < stages; ++bit)
            if (k & (1 << bit))
                reversed |= 1u << (stages - 1 - bit);
        tables.bitReversal[k] = reversed;
    }
    return tables;
}

const FftTables& fftTablesForStages(int stages)
{
    static const FftTables shortBlock = makeFftTables(10);
    static const FftTables longBlock = makeFftTables(11);
    if (stages == 10)
        return shortBlock;
    if (stages == 11)
        return longBlock;
    throw std::invalid_argument("the detector's transform has 10 or 11 stages");
}
