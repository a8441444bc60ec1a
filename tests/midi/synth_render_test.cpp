// The built-in synthesizer rendered offline (no audio driver) with the
// installed General MIDI SoundFont: what a user hears, checked by analysis.
#include "midi/midi_messages.h"
#include "platform/midi/library_chatter.h"
#include "platform/midi/soundfont_locator.h"
#include "platform/midi/soundfont_synth.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

std::uint32_t msg(int status, int data1, int data2)
{
    return static_cast<std::uint32_t>(status | data1 << 8 | data2 << 16);
}

std::vector<float> leftChannel(const std::vector<float>& stereo)
{
    std::vector<float> left;
    for (std::size_t i = 0; i < stereo.size(); i += 2)
        left.push_back(stereo[i]);
    return left;
}

double rms(const std::vector<float>& samples)
{
    double sum = 0;
    for (float s : samples)
        sum += double(s) * s;
    return samples.empty() ? 0 : std::sqrt(sum / double(samples.size()));
}

// Magnitude of one frequency in a Hann-windowed block (Goertzel).
double magnitudeAt(const std::vector<float>& samples, double frequency)
{
    const double w = 2 * std::numbers::pi * frequency / SoundFontSynth::sampleRate;
    const double coefficient = 2 * std::cos(w);
    const double n = double(samples.size());
    double s1 = 0, s2 = 0;
    for (std::size_t i = 0; i < samples.size(); ++i) {
        double hann = 0.5 - 0.5 * std::cos(2 * std::numbers::pi * double(i) / (n - 1));
        double s0 = samples[i] * hann + coefficient * s1 - s2;
        s2 = s1;
        s1 = s0;
    }
    return std::sqrt(s1 * s1 + s2 * s2 - coefficient * s1 * s2);
}

// The lowest spectral peak that is at least a quarter of the strongest one:
// the fundamental, even where a harmonic is louder.
double fundamental(const std::vector<float>& samples)
{
    std::vector<double> spectrum;
    for (int f = 50; f <= 2000; ++f)
        spectrum.push_back(magnitudeAt(samples, f));
    double strongest = *std::max_element(spectrum.begin(), spectrum.end());
    for (std::size_t i = 1; i + 1 < spectrum.size(); ++i) {
        if (spectrum[i] >= 0.25 * strongest && spectrum[i] >= spectrum[i - 1] &&
            spectrum[i] >= spectrum[i + 1]) {
            // refine to a tenth of a hertz around the peak
            double best = 50.0 + double(i), bestMagnitude = 0;
            for (double f = best - 1; f <= best + 1; f += 0.1) {
                double m = magnitudeAt(samples, f);
                if (m > bestMagnitude) {
                    bestMagnitude = m;
                    best = f;
                }
            }
            return best;
        }
    }
    return 0;
}

// The relative strength of the first eight harmonics: a fingerprint of the timbre.
std::vector<double> harmonicProfile(const std::vector<float>& samples, double f0)
{
    std::vector<double> profile;
    double total = 0;
    for (int k = 1; k <= 8; ++k) {
        profile.push_back(magnitudeAt(samples, f0 * k));
        total += profile.back();
    }
    for (double& p : profile)
        p /= total;
    return profile;
}

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
    synth->handleShortMessage(msg(midiStatus::programChange, 0, 94));
    synth->handleShortMessage(msg(midiStatus::noteOn, midiKey(33, 24), 100));
    render(0.05); // past the attack
    auto sound = render(0.4);
    EXPECT_GT(rms(sound), 0.005);
    EXPECT_NEAR(fundamental(sound), 440.0, 3.0);
}

TEST_F(SynthRenderTest, ProgramChangeChangesTheTimbre)
{
    auto playMiddleC = [&](int program) {
        synth->reset();
        synth->handleShortMessage(msg(midiStatus::programChange, program, 94));
        synth->handleShortMessage(msg(midiStatus::noteOn, 60, 100));
        render(0.1);
        auto sound = render(0.4);
        synth->handleShortMessage(msg(midiStatus::noteOff, 60, 94));
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
    synth->handleShortMessage(msg(midiStatus::noteOn, 60, 0));
    EXPECT_LT(rms(render(0.5)), 1e-6);
    synth->handleShortMessage(msg(midiStatus::noteOn, 60, 100));
    EXPECT_GT(rms(render(0.5)), 1e-3);
}

TEST_F(SynthRenderTest, NoteOffEndsASustainedNote)
{
    const int organ = 19;
    synth->handleShortMessage(msg(midiStatus::programChange, organ, 94));
    synth->handleShortMessage(msg(midiStatus::noteOn, 60, 100));
    render(0.1);
    double held = rms(render(0.2));
    synth->handleShortMessage(msg(midiStatus::noteOff, 60, 94));
    render(0.6);
    EXPECT_LT(rms(render(0.1)), held * 0.01);

    // Without the note-off the organ keeps sounding.
    synth->handleShortMessage(msg(midiStatus::noteOn, 62, 100));
    render(0.7);
    EXPECT_GT(rms(render(0.1)), held * 0.3);
}

TEST_F(SynthRenderTest, ChannelThirteenNoteOffAndResetStopNotesOnTheirChannel)
{
    synth->handleShortMessage(msg(midiStatus::programChangeChannel13, 19, 94));
    synth->handleShortMessage(msg(0x9C, 64, 100)); // a note on channel 13
    render(0.1);
    double held = rms(render(0.1));
    synth->handleShortMessage(msg(midiStatus::noteOff, 64, 94)); // wrong channel: no effect
    render(0.6);
    EXPECT_GT(rms(render(0.1)), held * 0.3);
    synth->handleShortMessage(msg(midiStatus::noteOffChannel13, 64, 94));
    render(0.6);
    EXPECT_LT(rms(render(0.1)), held * 0.01);

    synth->handleShortMessage(msg(midiStatus::noteOn, 60, 100));
    render(0.1);
    held = rms(render(0.1));
    synth->reset(); // what closing the device does: silence at once
    render(0.3);    // only the reverberation's tail was left, and it has died down
    EXPECT_LT(rms(render(0.1)), held * 0.05);
}

} // namespace
