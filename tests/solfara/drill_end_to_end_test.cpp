// A whole drill through the real microphone path: a custom melody rendered by
// the built-in synthesizer as a sung voice is played into a private
// PulseAudio server's microphone (a pipe source) in real time, and the main
// window must confirm every note on the answer staff. Runs only where that
// server exists (.ci/run starts one and names it in SOLFARA_TEST_PULSE_SERVER,
// SOLFARA_TEST_MIC_PIPE and SOLFARA_TEST_MIC_RATE).
#include "drill/settings_file.h"
#include "platform/audio/internal/rtaudio_wave_input.h"
#include "platform/testing/rendered_note.h"
#include "solfara/main_frame.h"
#include "tests/support/engine_fixture.h"
#include "tests/support/event_loop.h"
#include "tests/support/pipe_player.h"
#include "voice/pitch_detector.h"

#include "music/uniform_random_source.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

TEST(DrillEndToEnd, SungMelodyThroughTheSoundServerIsConfirmedNoteByNote)
{
    const auto server = privateSoundServer();
    if (!server)
        GTEST_SKIP() << "no private PulseAudio server (see .ci/run)";
    const int rate = server->rate;
    ASSERT_EQ(rate, SoundFontSynth::sampleRate) << "the pipe plays the synthesizer's samples";

    // C4 E4 G4 C5 as "Voice Oohs", each held a second with a breath between.
    const std::vector<int> melody = {24, 28, 31, 36};
    NoteRenderer renderer(timGm6mb);
    ASSERT_TRUE(renderer.synth) << renderer.error;
    std::vector<float> singing;
    for (int note : melody) {
        auto sung = renderer.render(NoteRenderer::voiceOohs, note, 1.0, 0.0);
        NoteRenderer::normalise(sung);
        singing.insert(singing.end(), sung.begin(), sung.end());
        singing.resize(singing.size() + std::size_t(rate) * 3 / 10);
    }

    EngineRig rig({"Test Synth"}, 1);
    rig.dir.write("mel.ssc", "Arpeggio,60,64,67,72\r\n");
    Settings settings;
    settings.drilltype = 3;
    settings.autostart = 0;
    rig.dir.write(kSettingsFileName, settingsFileText(settings));
    auto engine = rig.loadEngine();
    RtAudioWaveInput microphone;
    PitchDetector detector;
    UniformRandomSource random(1);
    CMainFrame frame(*engine, {.midiOut = rig.midiOut,
                               .waveInput = microphone,
                               .detector = detector,
                               .random = random,
                               .messages = rig.messages});
    frame.show();
    ASSERT_TRUE(runEventsUntil([&] { return frame.started() && !frame.drill().busy(); }));
    ASSERT_TRUE(microphone.isOpen());
    ASSERT_TRUE(rig.messages.shown.empty());

    std::atomic<bool> played{false};
    std::atomic<bool> quit{false};
    std::thread player([&] { playIntoPipe(server->microphonePipe, singing, rate, played, quit); });
    runEventsUntil([&] { return played || frame.drill().drill().finished(); },
                   std::chrono::seconds(20));
    const int confirmed = frame.drill().drill().currentNoteIndex();
    frame.close(); // while the pipe still delivers: a starved stream cannot be stopped
    quit = true;
    player.join();

    EXPECT_EQ(confirmed, int(melody.size())) << "every note confirmed on the answer staff";
}

} // namespace
