#pragma once

#include "platform/gdi/window_scale.h"
#include "platform/midi/desktop_midi_output_system.h"
#include "solfara/main_frame_services.h"
#include "voice/detector_kind.h"

#include <filesystem>
#include <functional>
#include <optional>

// What the command line chose.
struct SolfaraOptions {
    // Where the data files live; unset: the default data directory.
    std::optional<std::filesystem::path> dataDirectory;
    // A recording to listen to instead of the microphone; unset: the microphone.
    std::optional<std::filesystem::path> audioInput;
    // The sound server's source to listen to in this run; unset: the one
    // chosen on the Sound page (or the default).
    std::optional<std::string> microphone;
    // A pitch detector chosen on the command line, saved as the user's choice
    // before the trainer starts; unset: the saved choice stands.
    std::optional<DetectorKind> detector;
    // The built-in synthesizer's SoundFont and library messages.
    MidiOutputOptions midi;
    // The main window's scale.
    gdi::ScaleOption scale;
};

class DrillEngine;
class MidiOut;
class SelectedNoteDetector;

// The parts of the trainer the program chooses at start: the settings sheet
// over the running engine, its MIDI output and the drill's detector (no
// sheet when unset).
struct SolfaraParts {
    std::function<SettingsSheetOpener(DrillEngine&, MidiOut&, SelectedNoteDetector&,
                                      SheetMicrophone)>
        makeSettingsSheetOpener;
};

// Runs the trainer: prepares the data directory, loads the engine, shows the
// main window until it is closed (or the process is asked to end with
// SIGINT, SIGTERM or SIGHUP), and saves on the way out. Returns the process
// exit code.
int runSolfara(const char* programPath, const SolfaraOptions& options,
               const SolfaraParts& parts = {});
