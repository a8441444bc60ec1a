#include "music/natural_signs.h"

#include "music/pitch.h"

#include <algorithm>

void markNaturalSigns(std::span<const int> noteIndex, std::span<Accidental> accidental)
{
    const size_t count = std::min(noteIndex.size(), accidental.size());
    for (size_t n = 0; n < count; ++n) {
        if (accidental[n] != Accidental::None)
            continue;
        for (size_t j = 0; j < n; ++j) {
            const bool sharpAbove =
                accidental[j] == Accidental::Sharp && noteIndex[j] == noteIndex[n] + 1;
            const bool flatBelow =
                accidental[j] == Accidental::Flat && noteIndex[j] == noteIndex[n] - 1;
            if (sharpAbove || flatBelow) {
                accidental[n] = Accidental::Natural;
                break;
            }
        }
    }
}
