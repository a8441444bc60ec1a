#pragma once

#include "music/drill_choices.h"
#include "music/scales.h"

// The settings a new melody is made from (the values of the drill engine at
// the moment a drill starts, after its key is settled).
struct MelodySettings {
    int melosize = 3;                  // notes of an algorithmic melody, 1..12
    int scale = 1;                     // key index 0..15, 0 = Random
    int keySignature = 1;              // signature code 1..15 of this drill
    ScaleMode mode = ScaleMode::Major; // how scale `scaleBits` is written
    ScaleBits scaleBits{};             // semitone flags of scale `mode`
    int range = 0;                     // voice range 0..5
    int level = 0;                     // 0 Beginner, 1 Intermediate, 2 Advanced
    DrillType drilltype = DrillType::Composed;
    AnswerMode answerMode = AnswerMode::Piano;
    int custMelody = 0; // line of the fixed custom melody
};
