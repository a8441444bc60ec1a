#pragma once

#include "base/result.h"
#include "music/melody_store.h"

#include <string>
#include <vector>

// The custom melody editor's notes and what its buttons do to the melody file
// of the answer mode. Every change to the file goes through MelodyStore, which
// leaves the file as it was when a write fails; each failure comes back with a
// message for the user.
class MelodyEdit {
public:
    // Characters the name field takes.
    static constexpr int kMaxNameLength = 98;

    enum class Saved { Nothing, Replaced, Renamed, Appended };

    explicit MelodyEdit(MelodyStore store) : store_(std::move(store)) {}

    const MelodyStore& store() const { return store_; }
    std::vector<std::string> names() const { return store_.names(); }

    // The entered notes, MIDI keys.
    const std::vector<int>& notes() const { return notes_; }
    // Adds a note; false (nothing added) when the melody already holds 13.
    bool add(int midiKey);
    void eraseLast();
    void eraseAll() { notes_.clear(); }

    // Line k of the file becomes the melody being edited: its notes are
    // entered, and a later save with its name changes that line. A line the
    // editor cannot hold (no name, no notes, more than 13 notes or keys
    // outside C2..B5) is not loaded and the notes are left empty.
    Status load(int k);
    // The line last loaded or saved (-1: none) and its name.
    int loadedLine() const { return loadedLine_; }
    const std::string& loadedName() const { return loadedName_; }

    // What save(name) would do: with the loaded melody's name, unchanged notes
    // need nothing and changed notes replace its line; with another name,
    // unchanged notes rename its line and changed notes are appended as a new
    // melody.
    Saved planFor(const std::string& name) const;
    // Does it, after checking the name (not empty, no comma or line break)
    // and the notes (at least one). After a write the entered notes are
    // cleared and the saved line counts as loaded.
    Result<Saved> save(const std::string& typedName);

    // Deletes line k. `custMelody` goes back to 0 when it no longer names a
    // line. The entered notes are cleared and nothing counts as loaded, since
    // the lines after k have moved up.
    Status remove(int k, int& custMelody);

    // Text that names a line of the file in a message.
    std::string fileName() const { return store_.file().filename().string(); }

private:
    bool notesChanged() const;
    void forgetLoaded();
    Status writeFailed() const;
    // The loaded line still holds the loaded melody's name.
    bool loadedLineIntact() const;

    MelodyStore store_;
    std::vector<int> notes_;
    std::string loadedName_;
    std::vector<int> loadedNotes_;
    int loadedLine_ = -1;
};
