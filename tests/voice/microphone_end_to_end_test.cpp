// The real microphone path end to end: a note rendered by the built-in
// synthesizer is played into a private PulseAudio server's microphone (a
// pipe source) in real time, and must come back through RtAudio, the
// resampler, the block delivery and the detector as the right note.
// Runs only where that server exists (.ci/run starts one and names it in
// SOLFARA_TEST_PULSE_SERVER, SOLFARA_TEST_MIC_PIPE and SOLFARA_TEST_MIC_RATE).
#include "platform/audio/internal/rtaudio_wave_input.h"
#include "voice/voice_input.h"

#include "tests/support/event_loop.h"
#include "tests/support/pipe_player.h"
#include "platform/testing/rendered_note.h"
#include "tests/voice/recording_listener.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <thread>

namespace {

TEST(MicrophoneEndToEnd, RenderedNoteIsHeardThroughTheSoundServer)
{
    const auto server = privateSoundServer();
    if (!server)
        GTEST_SKIP() << "no private PulseAudio server (see .ci/run)";
    const int pipeRate = server->rate;
    ASSERT_EQ(pipeRate, SoundFontSynth::sampleRate) << "the pipe plays the synthesizer's samples";

    NoteRenderer renderer{timGm6mb};
    ASSERT_TRUE(renderer.synth) << renderer.error;
    std::vector<float> sound(SoundFontSynth::sampleRate / 2);       // half a second of silence,
    auto note = renderer.render(NoteRenderer::piano, 33, 1.5, 0.0); // A4 on the piano,
    NoteRenderer::normalise(note);
    sound.insert(sound.end(), note.begin(), note.end());
    sound.resize(sound.size() + SoundFontSynth::sampleRate); // a second of silence

    RtAudioWaveInputDevices devices;
    ASSERT_GE(devices.count(), 1);
    RtAudioWaveInput microphone;
    RecordingListener listener;
    PitchDetector detector;
    VoiceInput voice(microphone, detector, listener);
    voice.setWaveAvailable(true);
    voice.prepareCapture();
    ASSERT_TRUE(listener.messages.empty());
    voice.startCapture();
    ASSERT_TRUE(microphone.isOpen());

    std::atomic<bool> played{false};
    std::atomic<bool> quit{false};
    std::thread player(
        [&] { playIntoPipe(server->microphonePipe, sound, pipeRate, played, quit); });
    runEventsUntil([&] { return bool(played); }, std::chrono::seconds(15));
    voice.stopCapture();
    quit = true;
    player.join();

    // Every block has the length the detector asked for before it was queued
    // (the first long, short after A4), the note is heard as A4 in most blocks
    // while it sounds, and the silence around it is silent.
    ASSERT_GE(listener.verdicts.size(), 10u);
    std::size_t expected = 2048;
    int a4 = 0, otherNotes = 0, silent = 0, accepted = 0;
    for (std::size_t i = 0; i < listener.verdicts.size(); ++i) {
        EXPECT_EQ(listener.arrivedLengths[i], expected) << "block " << i;
        const auto& d = listener.verdicts[i].detection;
        if (d.outcome == BlockOutcome::Note)
            expected = d.sungNote < 18 ? 2048 : 1024;
        ++(d.outcome != BlockOutcome::Note ? silent : d.sungNote == 33 ? a4 : otherNotes);
        accepted += listener.verdicts[i].accepted;
    }
    EXPECT_GE(a4, 8) << otherNotes << " other notes, " << silent << " silent";
    EXPECT_LE(otherNotes, 3);
    EXPECT_GE(silent, 3);
    EXPECT_GE(accepted, 1);
}

} // namespace
