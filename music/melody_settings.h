#pragma once

#include "music/answer_mode.h"
#include "music/scales.h"

// The settings a new melody is made from (the values of the drill engine at
// the moment a drill starts, after its key is settled).
struct MelodySettings {
    int melosize = 3;      // notes of an algorithmic melody, 1..12
    int scale = 1;         // key index 0..15, 0 = Random
    int keySignature = 1;  // signature code 1..15 of this drill
    int mode = 0;          // scale list position: 0 MAJOR, 1 MINOR, others by mask
    ScaleBits scaleBits{}; // semitone flags of scale `mode`
    int range = 0;         // voice range 0..5
    int level = 0;         // 0 Beginner, 1 Intermediate, 2 Advanced
    int drilltype = 1;     // 1 algorithmic, 2 random custom melody, 3 custom line `custMelody`
    AnswerMode answerMode = AnswerMode::Piano;
    int custMelody = 0; // line of the fixed custom melody
};

inline constexpr int kAlgorithmicDrill = 1;
inline constexpr int kRandomCustomDrill = 2;
inline constexpr int kFixedCustomDrill = 3;

// Custom drills are types 2 and 3; every other value, including a 0 from a
// hand-edited settings file, drills algorithmic melodies.
constexpr bool isCustomDrill(int drilltype)
{
    return drilltype == kRandomCustomDrill || drilltype == kFixedCustomDrill;
}
