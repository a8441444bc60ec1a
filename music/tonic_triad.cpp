#include "music/tonic_triad.h"

#include "music/keys.h"

int melodyTonicPitchClass(const Melody& melody)
{
    return melody.isCustom || melody.noteCount == 0 ? tonicPitchClass(melody.drillKey)
                                                    : melody.noteIndex[0] % 12;
}

std::array<int, 3> tonicTriad(const Melody& melody, ScaleMode mode)
{
    const int first = melody.noteCount > 0 ? melody.noteIndex[0] : 24;
    const int root = first - ((first - melodyTonicPitchClass(melody)) % 12 + 12) % 12;
    return {root, root + (mode == ScaleMode::Minor ? 3 : 4), root + 7};
}
