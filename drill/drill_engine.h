#pragma once

#include "base/user_messages.h"
#include "drill/practice_choices.h"
#include "drill/settings.h"
#include "music/melody_settings.h"
#include "music/note_names.h"
#include "music/scales.h"
#include "music/voice_ranges.h"
#include "voice/period_table.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

class MidiOut;
class WaveInputDevices;

// The devices and services the engine reaches the outside world through.
struct EngineServices {
    MidiOut& midiOut;
    WaveInputDevices& waveInputs;
    UserMessages& messages;
};

// The state of one run of the trainer: the twenty settings and their file,
// the scale list and its file, the MIDI device list and the pitch reference
// table. Lives from start-up until the main window has gone; every data file
// is opened by its bare name inside `dataDirectory`. The drill itself, the
// state of capture and what the window shows have owners of their own.
class DrillEngine {
public:
    DrillEngine(std::filesystem::path dataDirectory, EngineServices services);
    ~DrillEngine();
    DrillEngine(const DrillEngine&) = delete;
    DrillEngine& operator=(const DrillEngine&) = delete;

    // Construct-and-load: reads "vox.c20" (or creates it and uses the
    // defaults), loads the scale list from "scales.cnl" (or creates it and
    // uses the built-in scales), brings the settings into range, opens the
    // MIDI output (a failure is reported to the user and start-up goes on),
    // counts the wave inputs and builds the period table.
    void load();

    // Writes "vox.c20" and "scales.cnl" (only if they still exist, without
    // truncating them) and closes the MIDI output. Runs once; later calls do
    // nothing.
    void saveAndRelease();
    bool released() const { return released_; }

    // From `noteName`: the voice-range variant.
    void setAnswerMode();
    // From `notation`: points `noteNames` at the letter or the solfege tables.
    void selectNotation();
    // From `A`: fills `periodTable`.
    void buildPeriodTable();
    // Keeps the built-in synthesizer's samples of the drill's timbre (and the
    // intro's program) loaded, so the first note of a melody sounds at once.
    void preloadDrillPrograms();
    // From the scale at `scaleIndex` (an index outside the list gives MAJOR):
    // fills `scaleBits`.
    void refreshScaleBits(int scaleIndex);
    // What a new melody is made from: the settings and scale in force, in key signature
    // `keySignature` (the drill's settled key).
    MelodySettings melodySettings(int keySignature) const;

    // A data file by its bare name.
    std::filesystem::path dataFile(std::string_view name) const;
    const std::filesystem::path& dataDirectory() const { return dataDirectory_; }

    Settings settings;
    // The tolerance and sight mode, from our own settings file (not "vox.c20").
    PracticeChoices practice;

    // The scale list; its size is `settings.numScales` after load.
    ScaleList scales;
    ScaleBits scaleBits{};

    // Output devices in device order, then "Midi Mapper"; empty without devices.
    std::vector<std::string> midiDeviceNames;
    int midiDeviceCount() const { return static_cast<int>(midiDeviceNames.size()); }

    // Whether the machine reported a microphone at load.
    bool microphoneFound() const { return microphoneFound_; }

    // Selected by notation and answer mode.
    const NoteNames* noteNames = &solfegeNoteNames();
    RangeCentreSteps rangeCentreStep = normalRangeCentreSteps;

    PeriodTable periodTable{};

private:
    void openMidiOutput();

    std::filesystem::path dataDirectory_;
    EngineServices services_;
    bool released_ = false;
    bool microphoneFound_ = false;
};
