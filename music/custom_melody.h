#pragma once

#include <string>
#include <string_view>
#include <vector>

// One line of a custom melody file: a name and the melody's notes as MIDI key
// numbers. On disk: the name, then ",<key>" for every note, then the line end.
struct CustomMelody {
    std::string name;
    std::vector<int> notes;

    bool operator==(const CustomMelody&) const = default;
};

// Limits of a melody the program writes: the editor's keyboard and fretboard
// give MIDI keys 36 (C2) .. 83 (B5), and a drill has at most 13 notes.
inline constexpr int lowestMelodyKey = 36;
inline constexpr int highestMelodyKey = 83;
inline constexpr int maxMelodyNotes = 13;

// The line as read from the file, its line end (LF, CR LF or CR CR LF) removed.
std::string_view lineText(std::string_view line);

// Splits a line at its commas, skipping empty fields: the first field is the
// name, each further field a number (leading blanks and a sign accepted, read
// up to the first non-digit, 0 when there is none).
CustomMelody parseMelodyLine(std::string_view line);

// The name shown in the melody lists: the text up to the first comma, leading
// commas skipped. A line of commas only gives an empty name.
std::string melodyLineName(std::string_view line);

// Whether a melody may be written to a file: a non-empty name without commas
// or line ends, and 1..13 notes within MIDI keys 36..83. Anything else would
// give a line that reads back differently (wrong name, notes shifted into the
// name, an empty drill).
bool isWritableMelody(const CustomMelody& melody);

// The bytes of the line for a melody: name, ",%d" per note, CR CR LF (the
// program's text files end each written line so).
std::string formatMelodyLine(const CustomMelody& melody);
