#pragma once

#include "music/custom_melody.h"
#include "music/pitch.h"

#include <array>
#include <string>
#include <vector>

// Room for the candidate pitches of an algorithmic melody; entry 0 is the tonic.
inline constexpr int kMaxCandidates = 8;

// The current drill: its notes three ways (staff step, accidental,
// chromatic note index), plus what the generator worked with. Every Generate
// overwrites all of it.
struct Melody {
    // Each note's pitch while composing: a diatonic step for MAJOR and MINOR,
    // a note index for other scales.
    std::array<int, maxMelodyNotes> genNote{};
    std::array<int, kMaxCandidates> candidates{};
    // Accidental code of each candidate, for scales other than MAJOR and MINOR.
    std::array<Accidental, kMaxCandidates> candidateAccidental{};
    int noteCount = 0; // 1..13

    std::array<int, maxMelodyNotes> step{};      // staff step, 0..27
    std::array<int, maxMelodyNotes> noteIndex{}; // note index, 0..47
    std::array<Accidental, maxMelodyNotes> accidental{};

    // The custom melody in use: MIDI keys and name, and whether the notes came
    // from it (false for an algorithmic melody).
    bool isCustom = false;
    std::vector<int> fileNote;
    std::string melodyName;

    int drillKey = 1; // the key (1..15) the melody was composed in
    bool repeatKept = false;
};
