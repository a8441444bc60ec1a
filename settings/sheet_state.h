#pragma once

#include "core/settings.h"

// What the pages of an open sheet share: the working copy of the settings,
// and the scale last chosen in the General page's list or on the Scales page.
struct SheetState {
    Settings workingCopy;
    int selectedScale = 0;
};
