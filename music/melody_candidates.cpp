#include "music/melody_candidates.h"

#include "music/keys.h"
#include "music/pitch.h"
#include "music/vocabulary.h"
#include "music/voice_ranges.h"

#include <algorithm>
#include <vector>

namespace {

constexpr int kCandidatesOfLevel[3] = {3, 4, 8};

// The semitones of the scale, ascending; fewer than three are padded with
// zeros to four entries and counted as three.
std::vector<int> scaleList(const ScaleBits& bits, int& n)
{
    std::vector<int> list;
    for (int k = 0; k < 12; ++k)
        if (bits[k])
            list.push_back(k);
    n = static_cast<int>(list.size());
    if (n < 3) {
        list.resize(4, 0);
        n = 3;
    }
    return list;
}

// Tonic letter moved by octaves until it lies within 3 steps of the centre.
int placeInRange(int tonic, int centre)
{
    while (tonic < centre && centre - tonic > 3)
        tonic += 7;
    while (tonic > centre && tonic - centre > 3)
        tonic -= 7;
    return tonic;
}

// Candidates 1..7 as offsets in steps from the tonic.
void diatonicCandidates(Melody& melody, RandomSource& random)
{
    const int upward[7] = {1, 2, -1, -2, 3, 4, 5};
    const int downward[7] = {1, 2, -1, -2, -3, -4, -5};
    const int* offsets = random.Random(2) == 0 ? upward : downward;
    for (int j = 1; j < kMaxCandidates; ++j)
        melody.candidates[j] = melody.candidates[0] + offsets[j - 1];
}

// Candidates 1..7 as offsets in semitones from the tonic, from the scale list.
void scaleCandidates(Melody& melody, const ScaleBits& bits, RandomSource& random)
{
    int n = 0;
    const std::vector<int> list = scaleList(bits, n);
    int offsets[7] = {list[1], list[2], list[n - 1] - 12, list[n - 2] - 12};
    if (n <= 6) {
        const int h = n / 2;
        offsets[4] = list[h];
        offsets[5] = list[h + 1];
        offsets[6] = list[h - 1];
    } else if (random.Random(2) == 0) {
        offsets[4] = list[3];
        offsets[5] = list[4];
        offsets[6] = list[5];
    } else {
        offsets[4] = list[n - 3] - 12;
        offsets[5] = list[n - 4] - 12;
        offsets[6] = list[n - 5] - 12;
    }
    for (int j = 1; j < kMaxCandidates; ++j)
        melody.candidates[j] = melody.candidates[0] + offsets[j - 1];
}

// Moves a candidate by `octave` until it is at most `reach` from `centre`.
int fold(int pitch, int centre, int reach, int octave)
{
    while (centre - pitch > reach)
        pitch += octave;
    while (pitch - centre > reach)
        pitch -= octave;
    return pitch;
}

} // namespace

int rangeCentreStep(const MelodySettings& settings)
{
    const int range = std::clamp(settings.range, 0, kRangeCount - 1);
    return rangeCentreStepsFor(settings.answerMode)[range];
}

int prepareCandidates(const MelodySettings& settings, RandomSource& random, Melody& melody)
{
    const bool diatonic = isDiatonic(settings.mode);
    melody.noteCount = std::clamp(settings.melosize, kMinMelodyLength, kMaxMelodyLength);
    melody.drillKey = isFixedKey(settings.scale) ? settings.scale : settings.keySignature;

    int tonic = tonicLetter(melody.drillKey);
    Accidental tonicMark = Accidental::None;
    if (!diatonic || isCustomDrill(settings.drilltype)) {
        tonicMark = tonicAccidental(melody.drillKey);
        melody.accidental[0] = tonicMark;
        melody.candidateAccidental[0] = tonicMark;
    }

    const int centre = rangeCentreStep(settings);
    tonic = placeInRange(tonic, centre);
    if (settings.mode == ScaleMode::Minor) {
        if (!isFixedKey(settings.scale))
            tonic -= 2; // the relative minor of the drawn major key
        else if (settings.scale >= 13 && settings.scale <= 15)
            tonic -= 1; // Db, Gb, Cb minor are spelled C#, F#, B minor
    }

    melody.genNote[0] = melody.step[0] = tonic;
    if (!diatonic) {
        melody.genNote[0] = melody.noteIndex[0] = noteIndexOfStep[tonic] + semitoneShift(tonicMark);
    }
    melody.candidates[0] = melody.genNote[0];

    if (diatonic)
        diatonicCandidates(melody, random);
    else
        scaleCandidates(melody, settings.scaleBits, random);

    const int candidateCount = kCandidatesOfLevel[std::clamp(settings.level, 0, 2)];
    for (int j = 1; j < candidateCount; ++j) {
        int& candidate = melody.candidates[j];
        if (diatonic) {
            candidate = fold(candidate, centre, 6, 7);
        } else {
            candidate = fold(candidate, noteIndexOfStep[centre], 11, 12);
            melody.candidateAccidental[j] = !isBlackKeySemitone(candidate)    ? Accidental::None
                                            : melody.drillKey < kFirstFlatKey ? Accidental::Sharp
                                                                              : Accidental::Flat;
        }
    }
    return candidateCount;
}
