#pragma once

#include "platform/audio/microphone_sources.h"
#include "platform/gdi/canvas.h"
#include "solfara/intro_sequence.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <span>

namespace gdi {
class RememberedScale;
}
class Clock;
class DrillLog;
class MidiOut;
class NoteDetector;
class QWidget;
class RandomSource;
class UserMessages;
class WaveInput;

// How a run of the settings sheet ended.
enum class SheetOutcome {
    NotOpened, // there is no sheet to show: nothing changed
    Confirmed, // OK: the settings were applied, a new drill is due
    Cancelled, // Cancel: the same drill goes on
};

// Receives every microphone block (unsigned 8-bit samples) as it arrives.
using MicrophoneBlockObserver = std::function<void(std::span<const std::uint8_t> samples)>;

// What the settings sheet reaches of the window that opens it.
struct SheetHost {
    QWidget& owner;
    int initialTab; // the page to open on, numbered from 1
    // With an observer: hand it every microphone block from now on; with an
    // empty function: stop.
    std::function<void(MicrophoneBlockObserver)> listenToMicrophone;
    // Runs the microphone check as soon as the sheet shows.
    bool startMicrophoneCheck = false;
};

// The microphone as the settings sheet's Sound page sets it up.
struct SheetMicrophone {
    const WaveInput* input = nullptr;   // whose level the meter shows
    MicrophoneChoice* choice = nullptr; // null: no source to choose (a recording)
    // Lists the sources when the sheet opens; unset: the sound system's list.
    std::function<std::vector<MicrophoneSource>()> listSources = {};
};

// Runs the settings sheet modally over the host window.
using SettingsSheetOpener = std::function<SheetOutcome(const SheetHost& host)>;

// What the main window works with, handed in by the program's start-up.
struct MainFrameServices {
    MidiOut& midiOut;
    WaveInput& waveInput;
    NoteDetector& detector; // the pitch detector the drill listens through
    RandomSource& random;
    UserMessages& messages;
    SettingsSheetOpener openSettingsSheet = {};
    // The intro before the first drill, with its durations; none when unset.
    std::optional<IntroTiming> intro = {};
    // Where "Window Size" remembers its choice; without one the choice holds for this run.
    const gdi::RememberedScale* rememberedScale = nullptr;
    // Where ended drills are recorded (the practice history); none: nowhere.
    DrillLog* drillLog = nullptr;
    // The clock that times the drill's notes; none: the steady clock.
    Clock* clock = nullptr;
    // Called once when the window has started (after the intro, if any).
    std::function<void()> started = {};
};
