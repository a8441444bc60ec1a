#include "voice/note_detector.h"
#include "voice/pitch_detector.h"
#include "voice/precise_pitch_detector.h"

std::unique_ptr<NoteDetector> makeNoteDetector(DetectorKind kind)
{
    if (kind == DetectorKind::Precise)
        return std::make_unique<PrecisePitchDetector>();
    return std::make_unique<PitchDetector>();
}
