#pragma once

#include "fuzz/scratch_file.h"
#include "music/melody_import.h"
#include "music/notated_score.h"

// Calls `check` with every melody that the parts of `score` give.
template <typename Check> void forEachImportedMelody(const NotatedScore& score, Check check)
{
    for (const NotatedPart& part : score.parts)
        if (const auto melodies = melodiesOfPart(part, "Fuzz"))
            for (const CustomMelody& melody : *melodies)
                check(melody);
}

// What every score a reader accepts must give: each part's melodies, when it has any, can be
// written to the melody file as they are.
inline void requireDrillableParts(const NotatedScore& score)
{
    for (const NotatedPart& part : score.parts) {
        const auto melodies = melodiesOfPart(part, importedMelodyTitle(score, "fuzz", false));
        if (!melodies)
            continue;
        for (const CustomMelody& melody : *melodies)
            requireProperty(isWritableMelody(melody), "an imported melody can be saved");
    }
}
