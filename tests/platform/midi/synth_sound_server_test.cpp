// The built-in synthesizer port sounding through a real PulseAudio server: a
// private one started by the CI script, whose speakers are a null sink. The
// test records the sink's monitor and listens for the note it played.
#include "midi/midi_messages.h"
#include "music/pitch.h"
#include "platform/midi/internal/synth_output_port.h"
#include "platform/midi/library_chatter.h"
#include "tests/platform/midi/spectrum.h"
#include "tests/support/monitor_recorder.h"
#include "tests/support/pinned_soundfonts.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <thread>

namespace {

TEST(SynthThroughSoundServer, PlaysTheNoteItIsSent)
{
    const char* server = std::getenv("SOLFARA_TEST_PULSE_SERVER");
    if (!server)
        GTEST_SKIP() << "no private PulseAudio server (see .ci/run)";
    setenv("PULSE_SERVER", server, 1);
    setMidiLibraryChatter(false);

    MonitorRecorder recorder(server);
    ASSERT_TRUE(recorder.isOpen());
    ASSERT_TRUE(timGm6mb.installed());
    auto opened = SynthOutputPort::open(timGm6mb.path.string());
    ASSERT_TRUE(opened) << opened.message();
    EXPECT_EQ(static_cast<SynthOutputPort&>(**opened).audioDriver(), "pulseaudio");

    // An idle null sink hands out audio in two-second blocks: let it settle.
    std::this_thread::sleep_for(std::chrono::seconds(2));
    EXPECT_LT(rms(recorder.take()), 1e-4);

    const int a4 = midiKeyOfNoteIndex(33, 24);
    (*opened)->sendShortMessage(packShortMessage(midiStatus::programChange, 0, 94));
    (*opened)->sendShortMessage(packShortMessage(midiStatus::noteOn, a4, 100));
    std::this_thread::sleep_for(std::chrono::milliseconds(1200));
    (*opened)->sendShortMessage(packShortMessage(midiStatus::noteOff, a4, 94));
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    auto heard = recorder.take();
    (*opened)->close();

    // Judged over the whole recording, as a loaded machine may drop a few
    // periods of sound.
    EXPECT_GT(rms(heard), 0.002);
    expectA4(heard);
}

} // namespace
