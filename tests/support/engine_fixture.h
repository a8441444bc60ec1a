#pragma once

#include "drill/drill_engine.h"
#include "midi/midi_out.h"
#include "platform/audio/microphone.h"
#include "platform/testing/manual_clock.h"
#include "platform/testing/midi_recording.h"
#include "tests/support/recorded_messages.h"
#include "platform/testing/temp_dir.h"

#include <memory>
#include <string>
#include <utility>
#include <vector>

// An engine over a temporary data directory, with recording MIDI ports and
// recorded messages.
struct EngineRig {
    explicit EngineRig(std::vector<std::string> midiDevices = {}, int waveInputs = 0)
        : midiSystem(std::move(midiDevices), clock), waveDevices(waveInputs)
    {
    }

    std::unique_ptr<DrillEngine> loadEngine()
    {
        auto engine = std::make_unique<DrillEngine>(dir.path(),
                                                    EngineServices{midiOut, waveDevices, messages});
        engine->load();
        return engine;
    }

    TempDir dir;
    ManualClock clock;
    RecordingMidiOutputSystem midiSystem;
    MidiOut midiOut{midiSystem};
    FixedWaveInputDevices waveDevices;
    RecordedMessages messages;
};
