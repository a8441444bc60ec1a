#pragma once

#include <filesystem>
#include <string>

// Where the built-in synthesizer's General MIDI SoundFont comes from, in this
// order: the --soundfont option, $SOLFARA_SOUNDFONT, Debian's default-GM.sf2,
// then any other .sf2 file in the system's SoundFont folder (by name).
// A file named explicitly (option or variable) must exist: it is never
// silently replaced by another one.
struct SoundFontSearch {
    std::string commandLinePath; // empty: not given
    std::string environmentPath; // empty: not set
    std::filesystem::path systemDirectory = "/usr/share/sounds/sf2";
};

struct SoundFontChoice {
    std::filesystem::path path; // empty when none was found
    std::string error;          // why not, and how to fix it, for the user
};

SoundFontChoice findSoundFont(const SoundFontSearch& search);

// The order above as the --help of both programs states it.
inline constexpr const char* kSoundFontDefaultsHelp =
    "default: $SOLFARA_SOUNDFONT, else /usr/share/sounds/sf2/default-GM.sf2, else the first "
    "other .sf2 file in /usr/share/sounds/sf2";

// The search as the program runs it: the option's value and the environment.
SoundFontSearch soundFontSearchFor(const std::string& commandLinePath);
