#pragma once

#include "base/result.h"
#include "music/melody.h"
#include "music/melody_settings.h"
#include "music/random_source.h"

#include <filesystem>
#include <optional>
#include <string>

// Makes the melody of each new drill: composed by rule in the drill's key,
// scale, voice range and level, or taken from the user's custom melody file
// in the data directory. Remembers the custom line drawn last, so that a
// random custom drill does not give the same melody twice running.
//
// Every note it gives lies within note indices 0..47 and a melody has 1..13
// notes. A custom drill that finds no usable melody (no file, an empty file,
// no line `custMelody`, a line without notes inside MIDI keys 36..83) gets an
// algorithmic melody instead; notes of a custom line outside 36..83 are left
// out and only the first 13 are drilled. A melody outside a key signature
// (a scale other than MAJOR and MINOR, or a custom drill) carries its natural
// signs already (see markNaturalSigns).
class MelodyGenerator {
public:
    explicit MelodyGenerator(std::filesystem::path dataDir) : dataDir_(std::move(dataDir)) {}

    Melody generate(const MelodySettings& settings, RandomSource& random);

    // Index of the custom line drawn last (0 before any).
    int lastMelodyLine() const { return lastMelodyLine_; }

private:
    // The notes, each with the sign of its own spelling.
    Melody spelledMelody(const MelodySettings& settings, RandomSource& random);
    // The custom melody line to drill, or why there is none (the drill then
    // falls back to a generated melody).
    Result<std::string> drawCustomLine(const MelodySettings& settings, RandomSource& random);

    std::filesystem::path dataDir_;
    int lastMelodyLine_ = 0;
};
