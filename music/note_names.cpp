#include "music/note_names.h"

const NoteNames& letterNoteNames()
{
    static constexpr NoteNames names = {
        {"C ", "C#", "D ", "D#", "E ", "F ", "F#", "G ", "G#", "A ", "A#", "B "},
        {"C", "D", "E", "F", "G", "A", "B"},
        {"Cb", "Db", "Eb", "Fb", "Gb", "Ab", "Bb"},
        {"C#", "D#", "E#", "F#", "G#", "A#", "B#"},
        {"Random", "C", "G", "D", "A", "E", "B", "F#", "C#", "F", "Bb", "Eb", "Ab", "Db", "Gb",
         "Cb"},
    };
    return names;
}

const NoteNames& solfegeNoteNames()
{
    static constexpr NoteNames names = {
        {"Do ", "Do#", "Re ", "Re#", "Mi ", "Fa ", "Fa#", "Sol", "Sol#", "La ", "La#", "Si "},
        {"Do", "Re", "Mi", "Fa", "Sol", "La", "Si"},
        {"Dob", "Reb", "Mib", "Fab", "Solb", "Lab", "Sib"},
        {"Do#", "Re#", "Mi#", "Fa#", "Sol#", "La#", "Si#"},
        {"Random", "Do", "Sol", "Re", "La", "Mi", "Si", "Fa#", "Do#", "Fa", "Sib", "Mib", "Lab",
         "Reb", "Solb", "Dob"},
    };
    return names;
}

const NoteNames& noteNamesFor(Notation notation)
{
    return notation == Notation::Letters ? letterNoteNames() : solfegeNoteNames();
}
