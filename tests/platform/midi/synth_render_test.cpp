// The built-in synthesizer rendered offline (no audio driver) with each pinned
// General MIDI SoundFont: what a user hears, checked by analysis.
#include "midi/midi_messages.h"
#include "music/pitch.h"
#include "platform/midi/midi_output_port.h"
#include "tests/platform/midi/spectrum.h"
#include "platform/testing/rendered_note.h"

#include <gtest/gtest.h>

namespace {

struct SynthRenderTest : testing::TestWithParam<PinnedSoundFont> {
    std::unique_ptr<NoteRenderer> renderer;

    void SetUp() override
    {
        if (!GetParam().installed())
            GTEST_SKIP() << GetParam().path << " is not installed";
        renderer = std::make_unique<NoteRenderer>(GetParam());
        ASSERT_TRUE(renderer->synth) << renderer->error;
    }
    void send(int status, int key, int velocity)
    {
        renderer->synth->handleShortMessage(packShortMessage(status, key, velocity));
    }
    std::vector<float> listen(double seconds) { return renderer->listen(seconds); }
};

TEST_P(SynthRenderTest, NoteIndex33AtNeutralTransposeSoundsA440)
{
    send(midiStatus::programChange, 0, 94);
    send(midiStatus::noteOn, midiKeyOfNoteIndex(33, 24), 100);
    listen(0.05); // past the attack
    auto sound = listen(0.4);
    EXPECT_GT(rms(sound), 0.005);
    expectA4(sound);
}

TEST_P(SynthRenderTest, ProgramChangeChangesTheTimbre)
{
    auto middleC = [&](int program) {
        auto sound = renderer->render(program, 24, 0.5, 0);
        return harmonicProfile({sound.begin() + 4410, sound.end()}, 261.63);
    };
    auto piano = middleC(0), flute = middleC(73), pianoAgain = middleC(0);
    double change = 0, repeat = 0;
    for (std::size_t k = 0; k < piano.size(); ++k) {
        change += std::abs(piano[k] - flute[k]);
        repeat += std::abs(piano[k] - pianoAgain[k]);
    }
    // Each profile sums to 1, so the distance runs from 0 to 2. The same
    // program rendered twice differs by about 0.02 (the reverberation left
    // over from before); piano and flute lie 0.25 (FluidR3) and 0.31
    // (TimGM6mb) apart, so 0.15 tells a changed timbre from an unchanged one
    // in both with room either side.
    EXPECT_GT(change, 0.15);
    EXPECT_LT(repeat, 0.05);
}

TEST_P(SynthRenderTest, EveryWayOfStoppingANoteSilencesIt)
{
    send(midiStatus::programChange, 19, 94); // an organ: sounds while the key is held
    send(midiStatus::noteOn, 60, 0);
    EXPECT_LT(rms(listen(0.5)), 1e-6);

    send(midiStatus::noteOn, 60, 100);
    listen(0.1);
    const double held = rms(listen(0.2));
    EXPECT_GT(held, 1e-3);
    send(midiStatus::noteOff, 60, 94);
    // The organ's release and the reverberation after it fall below 1 % of
    // the held level within 0.4 s in TimGM6mb and 1.0 s in FluidR3 (0.04 %
    // after 1.5 s); a note left hanging stays near its held level.
    listen(1.5);
    EXPECT_LT(rms(listen(0.1)), held * 0.01);

    send(midiStatus::noteOn, 62, 100);
    listen(1.6);
    EXPECT_GT(rms(listen(0.1)), held * 0.3); // no note-off: still sounding
    renderer->synth->reset();                // what closing the device does
    // A reset cuts the voices at once; only the reverberation's tail is left.
    listen(0.3);
    EXPECT_LT(rms(listen(0.1)), held * 0.05);
}

INSTANTIATE_TEST_SUITE_P(SoundFonts, SynthRenderTest, testing::ValuesIn(soundFontsToCheck()),
                         [](const auto& info) { return info.param.name; });

} // namespace

namespace {

// Messages sent ahead play on the count of rendered samples, whatever the
// size of the pieces the audio output asks for: the metronome's ticks fall
// a beat apart in the sound itself.
TEST(SynthScheduledSends, TicksSentAheadSoundOnTheirBeat)
{
    NoteRenderer renderer;
    ASSERT_TRUE(renderer.synth) << renderer.error;
    SoundFontSynth& synth = *renderer.synth;
    constexpr std::uint32_t beatMs = 750;
    const std::uint32_t origin = synth.clockMs();
    for (std::uint32_t k = 0; k < 4; ++k)
        synth.sendAt(packShortMessage(0x99, 68, 120), origin + k * beatMs);
    synth.sendAt(packShortMessage(0x99, 68, 120), origin + 4 * beatMs + 100);

    std::vector<float> sound;
    for (std::uint32_t rendered = 0; rendered < 4 * beatMs * 44.1; rendered += 300) {
        auto piece = renderer.listen(300 / 44100.0); // 300 frames, off the 64-frame blocks
        sound.insert(sound.end(), piece.begin(), piece.end());
    }
    synth.cancelPending(); // the fifth tick never sounds
    auto rest = renderer.listen(0.5);
    sound.insert(sound.end(), rest.begin(), rest.end());

    const auto found = soundOnsets(sound, 0.01f, 0.0005f);
    ASSERT_EQ(found.size(), 4u);
    // A message plays at the start of the synthesizer's 64-frame block it
    // falls in, so each onset lies within one block of its beat.
    const double beatFrames = beatMs * SoundFontSynth::sampleRate / 1000.0;
    for (std::size_t k = 1; k < found.size(); ++k)
        EXPECT_NEAR(double(found[k] - found[0]), k * beatFrames, 64) << k;
}

} // namespace
