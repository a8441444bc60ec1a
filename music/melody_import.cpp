#include "music/melody_import.h"

#include "music/text_lines.h"

#include <algorithm>
#include <array>

namespace {

constexpr std::size_t kMaxNameLength = 98; // what the name field of the editor takes

std::string trimmed(std::string_view text)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return std::string(text);
}

// A title as a melody name may hold it: no commas (they separate the notes), no control
// characters (a line end would start a new line), runs of blanks as one.
std::string nameText(std::string_view raw)
{
    std::string text;
    for (char c : raw) {
        const bool control = static_cast<unsigned char>(c) < 0x20 || c == 0x7F;
        if (c == ',')
            continue;
        if (control || c == ' ') {
            if (!text.empty() && text.back() != ' ')
                text += ' ';
            continue;
        }
        text += c;
    }
    return trimmed(text);
}

bool inMelodyRange(int key)
{
    return key >= lowestMelodyKey && key <= highestMelodyKey;
}

std::size_t notesOutside(const std::vector<NotatedNote>& notes, int move)
{
    return static_cast<std::size_t>(
        std::count_if(notes.begin(), notes.end(),
                      [&](const NotatedNote& n) { return !inMelodyRange(n.key + move); }));
}

// The move by whole octaves that leaves the fewest notes outside 36..83, the smallest such
// move where several do (0 when the melody already fits). MIDI keys 0..127 need at most ten
// octaves either way.
int bestOctaveMove(const std::vector<NotatedNote>& notes)
{
    int best = 0;
    for (int octaves = 1; octaves <= 10; ++octaves)
        for (int move : {12 * octaves, -12 * octaves})
            if (notesOutside(notes, move) < notesOutside(notes, best))
                best = move;
    return best;
}

// The sizes of the melodies the notes are cut into: whole phrases joined while they fit in 13
// notes, and a phrase longer than 13 cut into as few nearly equal pieces as hold it.
std::vector<std::size_t> pieceSizes(const std::vector<NotatedNote>& notes)
{
    std::vector<std::size_t> phrases{0};
    for (std::size_t i = 0; i < notes.size(); ++i) {
        ++phrases.back();
        if (notes[i].endsPhrase && i + 1 < notes.size())
            phrases.push_back(0);
    }
    const std::size_t most = maxMelodyNotes;
    std::vector<std::size_t> sizes;
    bool joinable = false; // whether the last piece is whole phrases that the next may join
    for (const std::size_t phrase : phrases) {
        if (phrase <= most) {
            if (joinable && sizes.back() + phrase <= most)
                sizes.back() += phrase;
            else
                sizes.push_back(phrase);
            joinable = true;
            continue;
        }
        const std::size_t pieces = (phrase + most - 1) / most;
        for (std::size_t k = 0; k < pieces; ++k)
            sizes.push_back(phrase / pieces + (k < phrase % pieces ? 1 : 0));
        joinable = false;
    }
    return sizes;
}

} // namespace

std::string pitchName(int key)
{
    static constexpr std::array<const char*, 12> names = {"C",  "C#", "D",  "D#", "E",  "F",
                                                          "F#", "G",  "G#", "A",  "A#", "B"};
    const int octave = key >= 0 ? key / 12 - 1 : (key - 11) / 12 - 1;
    const int semitone = ((key % 12) + 12) % 12;
    return names[static_cast<std::size_t>(semitone)] + std::to_string(octave);
}

std::string importedMelodyTitle(const NotatedScore& score, std::string_view fileBaseName,
                                bool guitar)
{
    std::string title = nameText(score.workTitle);
    if (title.empty())
        title = nameText(score.movementTitle);
    if (title.empty())
        title = nameText(fileBaseName);
    if (title.empty())
        title = "Melody";
    if (guitar && !title.starts_with("GUITAR"))
        title = "GUITAR " + title;
    return cutAtCharacter(title, kMaxNameLength);
}

Result<std::vector<CustomMelody>> melodiesOfPart(const NotatedPart& part, const std::string& title)
{
    if (part.notes.empty())
        return Result<std::vector<CustomMelody>>::failure("The part '" + part.name +
                                                          "' has no notes.");
    if (part.notes.size() > maxImportedNotes)
        return Result<std::vector<CustomMelody>>::failure(
            "The part '" + part.name + "' has " + std::to_string(part.notes.size()) +
            " notes; at most " + std::to_string(maxImportedNotes) + " can be imported.");
    const int move = bestOctaveMove(part.notes);
    if (notesOutside(part.notes, move) > 0) {
        const auto outside = std::find_if(part.notes.begin(), part.notes.end(), [&](const auto& n) {
            return !inMelodyRange(n.key + move);
        });
        return Result<std::vector<CustomMelody>>::failure(
            "Note " + std::to_string(outside - part.notes.begin() + 1) + " (" +
            pitchName(outside->key) +
            ") stays outside C2..B5 however the melody is moved by octaves: it is too wide for a "
            "drill.");
    }

    std::vector<CustomMelody> melodies;
    std::size_t begin = 0;
    for (const std::size_t size : pieceSizes(part.notes)) {
        CustomMelody melody;
        for (std::size_t i = begin; i < begin + size; ++i)
            melody.notes.push_back(part.notes[i].key + move);
        melodies.push_back(std::move(melody));
        begin += size;
    }
    if (melodies.size() == 1) {
        melodies.front().name = title;
        return melodies;
    }
    for (std::size_t i = 0; i < melodies.size(); ++i) {
        const std::string number = " " + std::to_string(i + 1);
        melodies[i].name = trimmed(cutAtCharacter(title, kMaxNameLength - number.size())) + number;
    }
    return melodies;
}
