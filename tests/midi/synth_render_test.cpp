// The built-in synthesizer rendered offline (no audio driver) with the
// installed General MIDI SoundFont: what a user hears, checked by analysis.
#include "midi/midi_messages.h"
#include "platform/midi/midi_output_port.h"
#include "tests/midi/spectrum.h"
#include "tests/support/rendered_note.h"

#include <gtest/gtest.h>

namespace {

struct SynthRenderTest : testing::Test {
    NoteRenderer renderer{NoteRenderer::timGm6mb};

    void SetUp() override { ASSERT_TRUE(renderer.synth) << renderer.error; }
    void send(int status, int key, int velocity)
    {
        renderer.synth->handleShortMessage(packShortMessage(status, key, velocity));
    }
    std::vector<float> listen(double seconds) { return renderer.listen(seconds); }
};

TEST_F(SynthRenderTest, NoteIndex33AtNeutralTransposeSoundsA440)
{
    send(midiStatus::programChange, 0, 94);
    send(midiStatus::noteOn, midiKey(33, 24), 100);
    listen(0.05); // past the attack
    auto sound = listen(0.4);
    EXPECT_GT(rms(sound), 0.005);
    expectA4(sound);
}

TEST_F(SynthRenderTest, ProgramChangeChangesTheTimbre)
{
    auto middleC = [&](int program) {
        auto sound = renderer.render(program, 24, 0.5, 0);
        return harmonicProfile({sound.begin() + 4410, sound.end()}, 261.63);
    };
    auto piano = middleC(0), flute = middleC(73), pianoAgain = middleC(0);
    double change = 0, repeat = 0;
    for (std::size_t k = 0; k < piano.size(); ++k) {
        change += std::abs(piano[k] - flute[k]);
        repeat += std::abs(piano[k] - pianoAgain[k]);
    }
    EXPECT_GT(change, 0.3);
    EXPECT_LT(repeat, 0.05);
}

TEST_F(SynthRenderTest, VelocityZeroIsSilenceAndNoteOffOrResetEndsASustainedNote)
{
    send(midiStatus::programChange, 19, 94); // an organ: sounds while the key is held
    send(midiStatus::noteOn, 60, 0);
    EXPECT_LT(rms(listen(0.5)), 1e-6);

    send(midiStatus::noteOn, 60, 100);
    listen(0.1);
    const double held = rms(listen(0.2));
    EXPECT_GT(held, 1e-3);
    send(midiStatus::noteOff, 60, 94);
    listen(0.6);
    EXPECT_LT(rms(listen(0.1)), held * 0.01);

    send(midiStatus::noteOn, 62, 100);
    listen(0.7);
    EXPECT_GT(rms(listen(0.1)), held * 0.3); // no note-off: still sounding
    renderer.synth->reset();                 // what closing the device does
    listen(0.3);                             // only the reverberation's tail was left
    EXPECT_LT(rms(listen(0.1)), held * 0.05);
}

} // namespace
