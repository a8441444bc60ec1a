#pragma once

#include <string>
#include <vector>

// A melody as a notation file holds it, reduced to what a drill can use: the
// sounding pitch of each note in order (a chord already reduced to its top
// note, tied notes to one, grace notes left out) and where a phrase ends (a
// rest, a breath mark, a fermata or a double bar after the note).
struct NotatedNote {
    int key = 60; // MIDI key, sounding pitch
    bool endsPhrase = false;

    bool operator==(const NotatedNote&) const = default;
};

struct NotatedPart {
    std::string name;
    std::vector<NotatedNote> notes;
};

struct NotatedScore {
    std::string workTitle;     // empty when the file names none
    std::string movementTitle; // empty when the file names none
    std::vector<NotatedPart> parts;
};
