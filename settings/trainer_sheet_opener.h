#pragma once

#include "solfara/main_frame_services.h"

class DrillEngine;
class MidiOut;
class SelectedNoteDetector;

// The main window's settings sheet over the running trainer. The sheet opens
// on the page the window asks for, over the engine's settings, scales and
// MIDI devices, with the Sound page's waveline fed from the window's
// microphone blocks. OK takes the settings into the engine, rebuilds the note
// names and the period table, switches the drill to the detector chosen on
// the Sound page and saves that choice in the data directory; Cancel changes
// nothing. A microphone chosen on the Sound page listens at once and is
// remembered in the data directory. The engine, the MIDI output, the detector
// and the microphone must outlive the opener.
SettingsSheetOpener trainerSheetOpener(DrillEngine& engine, MidiOut& midiOut,
                                       SelectedNoteDetector& detector,
                                       SheetMicrophone microphone = {});
