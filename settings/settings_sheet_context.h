#pragma once

#include "drill/settings.h"
#include "music/scales.h"
#include "platform/audio/microphone_sources.h"
#include "voice/detector_kind.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <span>
#include <string>
#include <vector>

class MidiOut;
class SoundLevelMeter;

// The tabs of the settings sheet, numbered from 1 in tab order.
enum class SheetTab { General = 1, Scales = 2, Sound = 3, CustomMelody = 4 };

// Receives every microphone block (unsigned 8-bit samples) while the Sound
// page shows.
using MicrophoneBlockSink = std::function<void(std::span<const std::uint8_t> samples)>;

// Everything the sheet reads or acts on while it is open. The program fills
// it from its engine before opening the sheet; the sheet edits a copy of
// `settings` and never writes back through this context except where noted.
struct SettingsSheetContext {
    // The twenty settings as they stand; the sheet's working copy starts here.
    Settings settings;
    // The pitch detector the drill listens through.
    DetectorKind detector = DetectorKind::Classic;
    // The scale list. The General page lists its names; the Scales page
    // changes it in place.
    ScaleList* scales = nullptr;
    // MIDI output devices in device order, then "Midi Mapper" (empty without devices).
    std::vector<std::string> midiDeviceNames;
    // The program's MIDI output: a device choice reopens it at once, a timbre
    // choice and "Test" sound through it.
    MidiOut* midiOut = nullptr;
    // Where "midpatch.h" (timbre names) and the custom melody files live.
    std::filesystem::path dataDirectory;
    // Loads the program's scale bits from scale `scaleIndex` at once; a scale
    // chosen in the General page's list acts through this even on Cancel.
    std::function<void(int scaleIndex)> refreshScaleBits;
    // Called with a sink when the Sound page starts showing and with an empty
    // function when it stops (another tab, OK, Cancel): the program hands each
    // microphone block to the sink in between.
    std::function<void(MicrophoneBlockSink)> listenToMicrophone;

    // The microphone's sources as the sheet opens; empty where nothing can be
    // chosen (a recording plays as the microphone).
    std::vector<MicrophoneSource> microphones;
    // The source chosen; empty: the desktop's default.
    std::string chosenMicrophone;
    // Listens to the named source at once and remembers the choice (OK or
    // Cancel alike, as with the MIDI device).
    std::function<void(const std::string& name)> chooseMicrophone;
    // The meter of what the microphone captures now; null (or unset) while
    // it captures nothing.
    std::function<const SoundLevelMeter*()> microphoneLevel;
    // Runs the microphone check as soon as the Sound page shows.
    bool startMicrophoneCheck = false;
};

// What closing the sheet does to the program, one step at a time. The window
// implements it over its engine; acceptSheet and cancelSheet call the steps
// in the order the program relies on.
class SheetCloseTarget {
public:
    virtual ~SheetCloseTarget() = default;
    // Copies all twenty settings into the engine and sets the current
    // melody's note count to `melosize`.
    virtual void takeSettings(const Settings& settings) = 0;
    // Points the note-name tables at the set of the engine's `notation`.
    virtual void selectNotation() = 0;
    // Rebuilds the detector's period table from the engine's `A`.
    virtual void buildPeriodTable() = 0;
    virtual void setDetectionPaused(bool paused) = 0;
    // True: the next repaint draws the current melody again; false: it starts
    // a new drill.
    virtual void setKeepMelodyOnRepaint(bool keep) = 0;
    // Invalidates (and erases) the whole main window.
    virtual void invalidateMainWindow() = 0;
    // The pitch detector chosen on the Sound page (after the other steps of OK).
    virtual void takeDetector(DetectorKind /*kind*/) {}
};
