#pragma once

#include "core/settings.h"
#include "music/keys.h"
#include "music/note_names.h"
#include "music/scales.h"
#include "music/voice_ranges.h"
#include "voice/period_table.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

class MidiOut;
class UserMessages;
class WaveInputDevices;

// The devices and services the engine reaches the outside world through.
struct EngineServices {
    MidiOut& midiOut;
    WaveInputDevices& waveInputs;
    UserMessages& messages;
};

// The state of one run of the trainer: the twenty settings and their file,
// the scale list and its file, the MIDI device list, the pitch reference
// table and the drill's key and display state. Lives from start-up until the
// main window has gone; every data file is opened by its bare name inside
// `dataDirectory`.
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

    // From `noteName`: the staff bases and the voice-range variant.
    void setAnswerMode();
    // From `notation`: points `noteNames` at the letter or the solfege tables.
    void selectNotation();
    // From `A`: fills `periodTable`.
    void buildPeriodTable();
    // From the scale at `scaleIndex` (an index outside the list gives MAJOR):
    // fills `scaleBits`.
    void refreshScaleBits(int scaleIndex);

    // A data file by its bare name.
    std::filesystem::path dataFile(std::string_view name) const;
    const std::filesystem::path& dataDirectory() const { return dataDirectory_; }

    Settings settings;

    // The scale list; its size is `settings.numScales` after load.
    ScaleList scales;
    ScaleBits scaleBits{};

    // Output devices in device order, then "Midi Mapper"; empty without devices.
    std::vector<std::string> midiDeviceNames;
    int midiDeviceCount() const { return static_cast<int>(midiDeviceNames.size()); }

    // 1 if the machine has at least one microphone.
    int waveAvailable = 0;
    bool micOff = false;

    // Drill state.
    bool detectionPaused = false; // the settings sheet is open
    int keySignature = 1;         // signature code 1..15 of the current drill
    KeyAccidentals keyAccidental{};
    bool keepMelodyOnRepaint = false;
    bool pianoKeyHeld = false;
    bool guitarStringHeld = false;
    int initialSheetTab = 1;
    bool firstPaint = true;

    // Pitch marker position on the answer staff.
    int markerX = 70;
    int markerY;
    int markerBottom;
    int markerAccidental = 0;

    // Staff geometry: the staff drawing recomputes the four reference values
    // per clef; the answer mode picks two of them as the staff bases.
    std::array<std::int16_t, 4> staffReferences = {133, 154, 243, 264};
    std::int16_t melodyStaffBase = 154;
    std::int16_t answerStaffBase = 264;

    // Selected by notation and answer mode.
    const NoteNames* noteNames = &solfegeNoteNames();
    RangeCentreSteps rangeCentreStep = normalRangeCentreSteps;

    PeriodTable periodTable{};

private:
    void openMidiOutput();

    std::filesystem::path dataDirectory_;
    EngineServices services_;
    bool released_ = false;
};
