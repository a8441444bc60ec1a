#pragma once

#include "voice/detector_kind.h"
#include "voice/period_table.h"

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>

// What the detector needs to know about the user's settings for one block.
struct DetectorSettings {
    int micVol = 63;    // gain, 63 = unity (the Sound page's working copy while it shows)
    int micFilter = 10; // silence threshold, compared with the raw sample value
    int transpose = 24; // the sung note is shifted down by transpose - 24
    bool micMuted = false;
};

enum class BlockOutcome {
    Silent,            // nothing sung; the pitch marker stays
    SilentEraseMarker, // the fifth silent block in a row: remove the pitch marker
    Note,              // `sungNote` was heard (or taken from the skip request)
};

struct DetectionResult {
    BlockOutcome outcome = BlockOutcome::Silent;
    int sungNote = 0;     // note index 0..48, for BlockOutcome::Note
    bool skipped = false; // the space bar made this block the due note
    int peakBin = 0;      // Classic only: strongest bin of the singing range (0: none)
    // The block's period in samples measured to a cent or two for intonation,
    // whichever detector named the note (0: the block did not repeat clearly,
    // or did not pass the silence filter). A block the detector could not name
    // (a vibrato's two neighbours in one window) may still have one. The named
    // note does not depend on it.
    double period = 0;
    // The same for each quarter of the window (23 ms each, so a vibrato's
    // swing shows); 0 where a quarter had none. Only with `period`.
    std::array<double, 4> quarterPeriods{};
};

// Turns each capture block (unsigned 8-bit samples at 11025 Hz) into a sung
// note or silence, and chooses the length of the next block. The drill reaches
// whichever detector the program was started with through this interface.
class NoteDetector {
public:
    virtual ~NoteDetector() = default;

    // Analyses one block of blockLength() samples (missing samples count as
    // silence, extra ones are ignored). With `skipTo` set (the space bar), the
    // block is analysed even when quiet and reads as that note.
    virtual DetectionResult analyseBlock(std::span<const std::uint8_t> block,
                                         const DetectorSettings& settings,
                                         const PeriodTable& periodTable,
                                         std::optional<int> skipTo) = 0;

    // Length of the block to queue next: 1024 or 2048 samples.
    virtual int blockLength() const = 0;
};

// A new detector of `kind`, ready for its first block.
std::unique_ptr<NoteDetector> makeNoteDetector(DetectorKind kind);
