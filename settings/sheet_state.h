#pragma once

#include "drill/settings.h"
#include "voice/detector_kind.h"

// What the pages of an open sheet share: the working copy of the settings,
// the scale last chosen in the General page's list or on the Scales page, and
// the pitch detector chosen on the Sound page.
struct SheetState {
    Settings workingCopy;
    int selectedScale = 0;
    DetectorKind detector = DetectorKind::Classic;
};
