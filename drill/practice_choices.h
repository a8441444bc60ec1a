#pragma once

#include <optional>
#include <string_view>

// How the drill is practised, beyond the settings of "vox.c20": how close
// to the note a sung note must be, and whether the melody sounds before it is
// sung. Chosen from the menu and kept in our own settings file.

// "Play the melody first": Always (echo singing), or only the key's tonic
// triad and the first note (sight singing: the melody sounds once it has
// been sung, or on "Hear").
enum class SightMode { Always, TonicOnly };

// The tolerances offered besides "Any", widest first.
inline constexpr int kToleranceChoices[] = {50, 35, 25, 15};

struct PracticeChoices {
    // Cents either side of the note within which the median of a held note
    // must lie; nothing: "Any", a held note counts whatever its cents.
    std::optional<int> toleranceCents = {};
    SightMode sight = SightMode::Always;
};

// The words the settings file and the practice history use: "any" or the
// cents ("25"); "echo" or "tonic".
std::string_view toleranceKeyword(std::optional<int> cents);
// Sets `cents` from its word; false, `cents` untouched, for a word that names
// no offered tolerance.
bool readToleranceKeyword(std::string_view keyword, std::optional<int>& cents);
std::string_view sightKeyword(SightMode sight);
std::optional<SightMode> sightOfKeyword(std::string_view keyword);
