// The built-in synthesizer port sounding through a real PulseAudio server: a
// private one started by the CI script, whose speakers are a null sink. The
// test records the sink's monitor and listens for the note it played.
#include "midi/midi_messages.h"
#include "music/pitch.h"
#include "platform/midi/internal/synth_output_port.h"
#include "platform/midi/library_chatter.h"
#include "tests/platform/midi/spectrum.h"
#include "platform/testing/monitor_recorder.h"
#include "platform/testing/pinned_soundfonts.h"
#include "platform/testing/temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <mutex>
#include <string>
#include <thread>

namespace {

using namespace std::string_literals;

// The private server of .ci/run, or null to skip.
const char* privateServer()
{
    const char* server = std::getenv("SOLFARA_TEST_PULSE_SERVER");
    if (server)
        setenv("PULSE_SERVER", server, 1);
    setMidiLibraryChatter(false);
    return server;
}

// Sent at once after opening, while the SoundFont is still being read: the
// messages wait for it and the note is heard all the same.
TEST(SynthThroughSoundServer, PlaysTheNoteItIsSent)
{
    const char* server = privateServer();
    if (!server)
        GTEST_SKIP() << "no private PulseAudio server (see .ci/run)";

    MonitorRecorder recorder(server);
    ASSERT_TRUE(recorder.isOpen());
    ASSERT_TRUE(timGm6mb.installed());
    // An idle null sink hands out audio in two-second blocks: let it settle
    // before the note, which fades as it is held.
    std::this_thread::sleep_for(std::chrono::seconds(2));
    recorder.take();

    auto opened = SynthOutputPort::open(timGm6mb.path.string());
    ASSERT_TRUE(opened) << opened.message();
    auto& port = static_cast<SynthOutputPort&>(**opened);
    EXPECT_EQ(port.audioDriver(), "pulseaudio");
    const int a4 = midiKeyOfNoteIndex(33, 24);
    (*opened)->sendShortMessage(packShortMessage(midiStatus::programChange, 0, 94));
    (*opened)->sendShortMessage(packShortMessage(midiStatus::noteOn, a4, 100));
    EXPECT_TRUE(port.waitUntilLoaded());
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

namespace {

TEST(SynthThroughSoundServer, AnUnderrunGrowsTheStreamsBuffer)
{
    if (!privateServer())
        GTEST_SKIP() << "no private PulseAudio server (see .ci/run)";
    std::atomic<int> calls{0};
    auto stream = PulseSynthStream::open([&calls](float* samples, int frames) {
        std::fill_n(samples, frames * 2, 0.0f);
        // One stall of the audio thread, far longer than the whole buffer,
        // once the stream plays.
        if (++calls == 20)
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
    });
    ASSERT_TRUE(stream) << stream.message();
    EXPECT_EQ((*stream)->state().bufferMs, StreamBufferPolicy::initialMs);
    (*stream)->play();
    for (int waited = 0; waited < 100 && (*stream)->state().underruns == 0; ++waited)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    const SoundStreamState state = (*stream)->state();
    EXPECT_GE(state.underruns, 1);
    EXPECT_GT(state.bufferMs, StreamBufferPolicy::initialMs);
}

TEST(SynthThroughSoundServer, ASoundFontFoundDamagedWhileReadingIsReportedAndPlaysNothing)
{
    if (!privateServer())
        GTEST_SKIP() << "no private PulseAudio server (see .ci/run)";
    TempDir dir;
    dir.write("broken.sf2", "RIFF\x10\0\0\0sfbkLIST garbage"s); // a RIFF header, then junk
    std::mutex mutex;
    std::string reported;
    auto opened =
        SynthOutputPort::open(dir.file("broken.sf2").string(), [&](const std::string& message) {
            std::lock_guard lock(mutex);
            reported = message;
        });
    ASSERT_TRUE(opened) << opened.message(); // the header looks right
    auto& port = static_cast<SynthOutputPort&>(**opened);
    port.sendShortMessage(packShortMessage(midiStatus::noteOn, 60, 100));
    EXPECT_FALSE(port.waitUntilLoaded());
    {
        std::lock_guard lock(mutex);
        EXPECT_NE(reported.find(dir.file("broken.sf2").string()), std::string::npos) << reported;
    }
    EXPECT_EQ(port.scheduledOutput(), nullptr);
    port.sendShortMessage(packShortMessage(midiStatus::noteOn, 62, 100)); // dropped, no crash
}

} // namespace
