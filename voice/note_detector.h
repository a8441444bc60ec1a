#pragma once

#include "voice/detector_kind.h"
#include "voice/period_table.h"

#include <cstdint>
#include <memory>
#include <span>

// What the detector needs to know about the user's settings for one block.
struct DetectorSettings {
    int micVol = 63;    // gain, 63 = unity (the Sound page's working copy while it shows)
    int micFilter = 10; // silence threshold, compared with the raw sample value
    int transpose = 24; // the sung note is shifted down by transpose - 24
    bool micMuted = false;
};

enum class BlockOutcome {
    silent,            // nothing sung; the pitch marker stays
    silentEraseMarker, // the fifth silent block in a row: remove the pitch marker
    note,              // `sungNote` was heard (or taken from the skip request)
};

struct DetectionResult {
    BlockOutcome outcome = BlockOutcome::silent;
    int sungNote = 0;     // note index 0..48, for BlockOutcome::note
    bool skipped = false; // the space bar made this block the due note
    int peakBin = 0;      // Classic only: strongest bin of the singing range (0: none)
};

// A pitch detector as the drill uses it: each capture block of unsigned 8-bit
// samples at 11025 Hz becomes a sung note (numbered through the period table
// and `transpose`), silence, or the silence that erases the pitch marker. A
// block is silent when the microphone is muted or no raw sample exceeds
// `micFilter`; the fifth silent block in a row erases the marker; the space
// bar's skip request turns the next unmuted block into the due note. One
// result per delivered block, so the hold count keeps its meaning. Draws nothing.
class NoteDetector {
public:
    virtual ~NoteDetector() = default;

    // Analyses one block, ideally of blockLength() samples. `dueNote`
    // replaces the sung note when a skip was requested.
    virtual DetectionResult analyseBlock(std::span<const std::uint8_t> block,
                                         const DetectorSettings& settings,
                                         const PeriodTable& periodTable, int dueNote) = 0;
    // Length of the block to queue next, in samples.
    virtual int blockLength() const = 0;
    // The note of the last analysed, non-silent block.
    virtual int pitchEstimate() const = 0;

    // The space bar: the next analysed block counts as the due note, even in silence.
    virtual void requestSkip() = 0;
    virtual bool skipRequested() const = 0;
};

// A new detector of `kind`, ready for its first block.
std::unique_ptr<NoteDetector> makeNoteDetector(DetectorKind kind);
