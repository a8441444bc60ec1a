#pragma once

#include "settings/settings_sheet_context.h"

// The settings OK takes over from the working copy: every field as edited,
// `midiVol` from the volume slider, and custom-melody drills (drilltype 2 or
// 3) set to MAJOR in C, the key they are drawn in.
Settings acceptedSettings(const Settings& workingCopy, int volumeSliderPosition);

// OK: the accepted settings go to the engine, the note names and the period
// table follow them, detection resumes and the main window is repainted with
// a new drill.
void acceptSheet(const Settings& workingCopy, int volumeSliderPosition, SheetCloseTarget& target);

// Cancel: nothing of the working copy is kept; detection resumes and the main
// window is repainted with the current melody.
void cancelSheet(SheetCloseTarget& target);
