// The built-in synthesizer rendered offline (no audio driver) with the
// installed General MIDI SoundFont: what a user hears, checked by analysis.
#include "midi/midi_messages.h"
#include "platform/midi/library_chatter.h"
#include "platform/midi/midi_output_port.h"
#include "platform/midi/soundfont_locator.h"
#include "platform/midi/soundfont_synth.h"
#include "tests/midi/spectrum.h"

#include <gtest/gtest.h>

namespace {

struct SynthRenderTest : testing::Test {
    std::unique_ptr<SoundFontSynth> synth;

    void SetUp() override
    {
        setMidiLibraryChatter(false);
        auto choice = findSoundFont({});
        ASSERT_FALSE(choice.path.empty()) << choice.error;
        auto created = SoundFontSynth::create(choice.path);
        ASSERT_TRUE(created.synth) << created.error;
        synth = std::move(created.synth);
    }

    std::vector<float> render(double seconds)
    {
        return leftChannel(synth->render(int(seconds * SoundFontSynth::sampleRate)));
    }
};

TEST_F(SynthRenderTest, NoteIndex33AtNeutralTransposeSoundsA440)
{
    synth->handleShortMessage(packShortMessage(midiStatus::programChange, 0, 94));
    synth->handleShortMessage(packShortMessage(midiStatus::noteOn, midiKey(33, 24), 100));
    render(0.05); // past the attack
    auto sound = render(0.4);
    EXPECT_GT(rms(sound), 0.005);
    EXPECT_NEAR(fundamental(sound), 440.0, 3.0);
}

TEST_F(SynthRenderTest, ProgramChangeChangesTheTimbre)
{
    auto playMiddleC = [&](int program) {
        synth->reset();
        synth->handleShortMessage(packShortMessage(midiStatus::programChange, program, 94));
        synth->handleShortMessage(packShortMessage(midiStatus::noteOn, 60, 100));
        render(0.1);
        auto sound = render(0.4);
        synth->handleShortMessage(packShortMessage(midiStatus::noteOff, 60, 94));
        render(1.0);
        return sound;
    };
    const double middleC = 261.63;
    auto piano = harmonicProfile(playMiddleC(0), middleC);
    auto flute = harmonicProfile(playMiddleC(73), middleC);
    auto pianoAgain = harmonicProfile(playMiddleC(0), middleC);
    double change = 0, repeat = 0;
    for (std::size_t k = 0; k < piano.size(); ++k) {
        change += std::abs(piano[k] - flute[k]);
        repeat += std::abs(piano[k] - pianoAgain[k]);
    }
    EXPECT_GT(change, 0.3);
    EXPECT_LT(repeat, 0.05);
}

TEST_F(SynthRenderTest, VelocityZeroIsSilence)
{
    synth->handleShortMessage(packShortMessage(midiStatus::noteOn, 60, 0));
    EXPECT_LT(rms(render(0.5)), 1e-6);
    synth->handleShortMessage(packShortMessage(midiStatus::noteOn, 60, 100));
    EXPECT_GT(rms(render(0.5)), 1e-3);
}

TEST_F(SynthRenderTest, NoteOffEndsASustainedNote)
{
    const int organ = 19;
    synth->handleShortMessage(packShortMessage(midiStatus::programChange, organ, 94));
    synth->handleShortMessage(packShortMessage(midiStatus::noteOn, 60, 100));
    render(0.1);
    double held = rms(render(0.2));
    synth->handleShortMessage(packShortMessage(midiStatus::noteOff, 60, 94));
    render(0.6);
    EXPECT_LT(rms(render(0.1)), held * 0.01);

    // Without the note-off the organ keeps sounding.
    synth->handleShortMessage(packShortMessage(midiStatus::noteOn, 62, 100));
    render(0.7);
    EXPECT_GT(rms(render(0.1)), held * 0.3);
}

TEST_F(SynthRenderTest, ChannelThirteenNoteOffAndResetStopNotesOnTheirChannel)
{
    synth->handleShortMessage(packShortMessage(midiStatus::programChangeChannel13, 19, 94));
    synth->handleShortMessage(packShortMessage(0x9C, 64, 100)); // a note on channel 13
    render(0.1);
    double held = rms(render(0.1));
    synth->handleShortMessage(
        packShortMessage(midiStatus::noteOff, 64, 94)); // wrong channel: no effect
    render(0.6);
    EXPECT_GT(rms(render(0.1)), held * 0.3);
    synth->handleShortMessage(packShortMessage(midiStatus::noteOffChannel13, 64, 94));
    render(0.6);
    EXPECT_LT(rms(render(0.1)), held * 0.01);

    synth->handleShortMessage(packShortMessage(midiStatus::noteOn, 60, 100));
    render(0.1);
    held = rms(render(0.1));
    synth->reset(); // what closing the device does: silence at once
    render(0.3);    // only the reverberation's tail was left, and it has died down
    EXPECT_LT(rms(render(0.1)), held * 0.05);
}

} // namespace
