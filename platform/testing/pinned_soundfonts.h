#pragma once

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

// The General MIDI SoundFonts that tests render with, by file rather than
// through default-GM.sf2 (which points at whichever SoundFont the machine's
// alternatives chose). TimGM6mb is the one the install step installs; FluidR3
// is checked as well wherever fluid-soundfont-gm is installed.
struct PinnedSoundFont {
    std::string name; // a test-name-safe label
    std::filesystem::path path;

    bool installed() const
    {
        std::error_code ec;
        return std::filesystem::is_regular_file(path, ec);
    }
};

inline const PinnedSoundFont timGm6mb{"TimGM6mb", "/usr/share/sounds/sf2/TimGM6mb.sf2"};
inline const PinnedSoundFont fluidR3{"FluidR3_GM", "/usr/share/sounds/sf2/FluidR3_GM.sf2"};

// Every SoundFont a sound-judging test should hold for, installed or not (a
// test skips the ones that are missing).
inline std::vector<PinnedSoundFont> soundFontsToCheck()
{
    return {timGm6mb, fluidR3};
}

// Test names and failure messages show the SoundFont by its name.
inline void PrintTo(const PinnedSoundFont& soundFont, std::ostream* out)
{
    *out << soundFont.name;
}
