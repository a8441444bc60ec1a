#include "music/melody_generator.h"

#include "music/keys.h"
#include "music/melody_candidates.h"
#include "music/melody_store.h"
#include "music/natural_signs.h"
#include "music/pitch.h"

#include <algorithm>
#include <span>

namespace {

bool isGuitarLine(const std::string& line)
{
    return line.starts_with("GUITAR");
}

// The notes of a custom line that can be drilled: MIDI keys 36..83, at most 13.
std::vector<int> drillableNotes(const std::vector<int>& keys)
{
    std::vector<int> notes;
    for (int key : keys)
        if (key >= lowestMelodyKey && key <= highestMelodyKey &&
            notes.size() < static_cast<std::size_t>(maxMelodyNotes))
            notes.push_back(key);
    return notes;
}

// Custom melodies are always spelled with sharps.
void spellCustomNotes(Melody& melody)
{
    melody.noteCount = static_cast<int>(melody.fileNote.size());
    for (int i = 0; i < melody.noteCount; ++i) {
        const int index = melody.fileNote[i] - lowestMelodyKey;
        melody.accidental[i] = isBlackKeySemitone(index) ? Accidental::Sharp : Accidental::None;
        melody.noteIndex[i] = index;
        melody.step[i] =
            stepOfNoteIndex[index] - (melody.accidental[i] == Accidental::Sharp ? 1 : 0);
    }
}

// A repeated note in Intermediate and Advanced is replaced by one of two
// candidates, chosen by the candidate drawn and one more draw.
constexpr int kRepeatReplacement[kMaxCandidates][2] = {
    // draw 0, draw 1
    {2, 1}, {2, 0}, {1, 0}, {2, 1}, {1, 3}, {3, 4}, {4, 5}, {5, 6},
};

// Notes 1..noteCount-1 drawn among the candidates.
void composeNotes(Melody& melody, int candidateCount, int level, RandomSource& random)
{
    melody.repeatKept = false;
    const int last = melody.noteCount - 1;
    for (int i = 1; i <= last; ++i) {
        const int drawn = random.Random(candidateCount);
        int note = melody.candidates[drawn];
        if (note == melody.genNote[i - 1]) {
            if (level != 0) {
                note = melody.candidates[kRepeatReplacement[drawn][random.Random(2)]];
            } else if (!melody.repeatKept) {
                melody.repeatKept = true; // every second repeat is kept
            } else {
                melody.repeatKept = false;
                note = note == melody.candidates[0] ? melody.candidates[1 + random.Random(2)]
                                                    : melody.candidates[0];
            }
        }
        // The melody ends on the tonic unless the note before already is it.
        if (melody.noteCount > 2 && i == last && melody.genNote[i - 1] != melody.genNote[0])
            note = melody.genNote[0];
        melody.genNote[i] = note;
    }
}

// Staff spelling of notes composed in steps: the key signature's accidentals.
void spellDiatonicNotes(Melody& melody, int keySignature)
{
    const KeyAccidentals marks = keyAccidental(keySignature);
    for (int i = 0; i < melody.noteCount; ++i) {
        if (i > 0)
            melody.step[i] = melody.genNote[i];
        const Accidental mark = marks[letterOfStep(melody.step[i])];
        melody.accidental[i] = mark;
        melody.noteIndex[i] = noteIndexOfStep[melody.step[i]] + semitoneShift(mark);
    }
}

// Staff spelling of notes composed as note indices: the accidental of their
// candidate; black keys as sharps below key 9 (F), as flats from it. In Cb a B
// is written as C flat, one step higher.
void spellScaleNotes(Melody& melody, int candidateCount)
{
    for (int i = 1; i < melody.noteCount; ++i) {
        const int index = melody.genNote[i];
        Accidental mark = Accidental::None;
        for (int j = 0; j < candidateCount; ++j)
            if (melody.candidates[j] == index)
                mark = melody.candidateAccidental[j];
        int step = stepOfNoteIndex[index] - (mark == Accidental::Sharp ? 1 : 0);
        if (melody.drillKey == kLastKey && index % 12 == 11) {
            step += 1;
            mark = Accidental::Flat;
        }
        melody.noteIndex[i] = index;
        melody.accidental[i] = mark;
        melody.step[i] = step;
    }
}

} // namespace

Result<std::string> MelodyGenerator::drawCustomLine(const MelodySettings& settings,
                                                    RandomSource& random)
{
    const auto lines = MelodyStore(dataDir_, settings.answerMode).lines();
    if (!lines)
        return lines.status();
    if (lines->empty())
        return Status::failure("The melody file holds no melodies.");
    const int lineCount = static_cast<int>(lines->size());
    std::vector<int> guitarLines;
    for (int k = 0; k < lineCount; ++k)
        if (isGuitarLine((*lines)[k]))
            guitarLines.push_back(k);

    // In guitar mode the random melody comes from the guitar lines when there
    // are several; never the same line twice running when there is a choice.
    int drawn;
    if (settings.answerMode == AnswerMode::Guitar && guitarLines.size() > 1) {
        do
            drawn = guitarLines[random.Random(static_cast<int>(guitarLines.size()))];
        while (drawn == lastMelodyLine_);
    } else {
        do
            drawn = random.Random(lineCount);
        while (drawn == lastMelodyLine_ && lineCount >= 2);
    }
    lastMelodyLine_ = drawn;

    const int used = settings.drilltype == DrillType::RandomCustom ? drawn : settings.custMelody;
    if (used < 0 || used >= lineCount)
        return Status::failure("The chosen custom melody is not a line of the melody file.");
    return (*lines)[used];
}

Melody MelodyGenerator::generate(const MelodySettings& settings, RandomSource& random)
{
    Melody melody = spelledMelody(settings, random);
    if (spellsOwnAccidentals(settings.mode, settings.drilltype)) {
        const auto count = static_cast<std::size_t>(melody.noteCount);
        markNaturalSigns(std::span(melody.noteIndex).first(count),
                         std::span(melody.accidental).first(count));
    }
    return melody;
}

Melody MelodyGenerator::spelledMelody(const MelodySettings& settings, RandomSource& random)
{
    Melody melody;
    const int candidateCount = prepareCandidates(settings, random, melody);

    if (isCustomDrill(settings.drilltype)) {
        if (const auto line = drawCustomLine(settings, random)) {
            const CustomMelody custom = parseMelodyLine(*line);
            melody.melodyName = custom.name;
            melody.fileNote = drillableNotes(custom.notes);
            if (!melody.fileNote.empty()) {
                melody.isCustom = true;
                spellCustomNotes(melody);
                return melody;
            }
        }
        melody.melodyName.clear();
        melody.fileNote.clear();
    }

    const int level = std::clamp(settings.level, 0, 2);
    composeNotes(melody, candidateCount, level, random);
    if (isDiatonic(settings.mode))
        spellDiatonicNotes(melody, settings.keySignature);
    else
        spellScaleNotes(melody, candidateCount);
    return melody;
}
