#include "voice/selected_note_detector.h"

SelectedNoteDetector::SelectedNoteDetector(DetectorKind kind)
    : kind_(kind), detector_(makeNoteDetector(kind))
{
}

void SelectedNoteDetector::select(DetectorKind kind)
{
    if (kind == kind_)
        return;
    kind_ = kind;
    detector_ = makeNoteDetector(kind);
}
