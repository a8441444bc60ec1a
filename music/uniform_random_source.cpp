#include "music/uniform_random_source.h"

UniformRandomSource::UniformRandomSource(std::uint32_t seed) : lastRandomSeed_(seed), engine_(seed)
{
}

int UniformRandomSource::Random(int n)
{
    if (n < 1)
        return 0;
    // Rejection sampling rather than a plain modulo, so that no value is
    // favoured; written out (not std::uniform_int_distribution) so one seed
    // gives the same draws with every standard library.
    const std::uint64_t range = std::uint64_t{engine_.max()} + 1;
    const std::uint64_t limit = range - range % static_cast<std::uint64_t>(n);
    std::uint64_t draw;
    do {
        draw = engine_();
    } while (draw >= limit);
    return static_cast<int>(draw % static_cast<std::uint64_t>(n));
}
