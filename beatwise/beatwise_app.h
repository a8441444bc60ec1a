#pragma once

#include "platform/gdi/window_scale.h"

#include <filesystem>
#include <optional>
#include <string>

struct BeatwiseOptions {
    std::string soundFont; // empty: the usual General MIDI SoundFont
    bool verbose = false;  // let the sound libraries print their messages
    gdi::ScaleOption scale;
    std::optional<std::filesystem::path> dataDirectory; // --data-dir DIR
};

// The data directory: --data-dir, else beatwise's own XDG data directory.
std::filesystem::path beatwiseDataDirectory(const BeatwiseOptions& options);

// Runs beatwise until its window closes; returns the exit status. A second
// instance on the same desktop returns 0 at once without showing anything.
int runBeatwise(int argc, char* argv[], const BeatwiseOptions& options);
