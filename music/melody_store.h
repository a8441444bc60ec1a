#pragma once

#include "base/result.h"
#include "music/answer_mode.h"
#include "music/custom_melody.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

// "mel2.ssc" in guitar answer mode, "mel.ssc" in the others, in the data
// directory.
std::filesystem::path melodyFilePath(const std::filesystem::path& dataDir, AnswerMode mode);

// The user's custom melodies: one melody per line of the melody file of an
// answer mode. A melody is known by its line index (0-based, every line
// counted), and every list entry stands at the index of its line. Nothing is
// cached: each call reads the file afresh.
//
// Readers accept lines ending in LF, CR LF or CR CR LF, and lines of any
// length. Writers refuse a melody that isWritableMelody rejects. Every write
// (append, replace, delete) puts the whole new file into "temp" first and then
// renames it over the melody file, so a failure leaves the file as it was.
class MelodyStore {
public:
    MelodyStore(std::filesystem::path dataDir, AnswerMode mode);

    const std::filesystem::path& file() const { return file_; }

    // Every line of the file, line ends removed; fails when it cannot be read.
    Result<std::vector<std::string>> lines() const;

    // The name of every line, in file order; empty when the file cannot be read.
    std::vector<std::string> names() const;

    // Line k as a melody; nothing when the file cannot be read or has no line k.
    std::optional<CustomMelody> load(int k) const;

    // Adds a line at the end, creating the file when absent.
    Status append(const CustomMelody& melody);
    // Adds a line for each melody, in order, in one write: all of them or, when one is
    // refused or the write fails, none.
    Status appendAll(const std::vector<CustomMelody>& melodies);

    // Writes the melody in place of line k; other lines are copied unchanged.
    // When k is not a line of the file the file is rewritten unchanged.
    Status replace(int k, const CustomMelody& melody);

    // Removes line k. `custMelody`, the line of the fixed custom drill, goes
    // back to 0 when it no longer names a line; a deletion before it does not
    // shift it, so it then names the line that followed.
    Status remove(int k, int& custMelody);

    // Why a melody is refused by append and replace.
    static constexpr const char* unwritableMelodyText =
        "This melody cannot be saved: it needs a name without commas and 1 to 13 notes "
        "from MIDI key 36 to 83.";

private:
    std::filesystem::path scratchFile() const { return dataDir_ / "temp"; }

    std::filesystem::path dataDir_;
    std::filesystem::path file_;
};
