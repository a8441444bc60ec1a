#include "music/answer_spelling.h"

#include "music/pitch.h"

int stepOfSungNote(int noteIndex)
{
    if (noteIndex <= 0)
        return stepOfNoteIndex[0];
    if (noteIndex >= kNoteIndexCount)
        return kStepCount; // C6, one octave of letters above C5
    return stepOfNoteIndex[noteIndex];
}

AnswerSpelling spellAnswerNote(int noteIndex, Accidental dueAccidental)
{
    const int pc = ((noteIndex % 12) + 12) % 12;
    const bool whiteFlat = dueAccidental == Accidental::Flat && (pc == 4 || pc == 11);  // Fb, Cb
    const bool whiteSharp = dueAccidental == Accidental::Sharp && (pc == 0 || pc == 5); // B#, E#
    AnswerSpelling spelling{stepOfSungNote(noteIndex), Accidental::None};
    if (isBlackKeySemitone(pc))
        spelling.accidental =
            dueAccidental == Accidental::Flat ? Accidental::Flat : Accidental::Sharp;
    else if (whiteFlat)
        spelling.accidental = Accidental::Flat;
    else if (whiteSharp)
        spelling.accidental = Accidental::Sharp;
    // The step table writes a black key as the flat of the letter above: a sharp
    // sits one step lower, and a flattened white key one step higher.
    if (spelling.accidental == Accidental::Sharp)
        --spelling.step;
    else if (whiteFlat)
        ++spelling.step;
    return spelling;
}
