// The choice of microphone through a private PulseAudio server: a second
// pipe source is loaded beside the server's own, each fed a tone of its own,
// and what the microphone hears shows which source it listens to. Runs only
// where that server exists (.ci/run starts one).
#include "platform/audio/internal/pulse_wave_input.h"
#include "platform/audio/microphone_sources.h"
#include "platform/audio/sound_level.h"

#include "tests/support/event_loop.h"
#include "tests/support/pipe_player.h"
#include "platform/testing/sound_samples.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <memory>

namespace {

constexpr const char* kSecondSource = "second_microphone";
constexpr double kDefaultTone = 440.0; // the server's own pipe microphone
constexpr double kSecondTone = 660.0;
constexpr double kSecondAmplitude = 0.5; // -6.02 dBFS peak, -9.03 dBFS RMS

std::string pactl(const std::string& arguments)
{
    std::string output;
    if (FILE* p = ::popen(("pactl " + arguments + " 2>/dev/null").c_str(), "r")) {
        char buffer[256];
        while (std::fgets(buffer, sizeof buffer, p))
            output += buffer;
        ::pclose(p);
    }
    while (!output.empty() && output.back() == '\n')
        output.pop_back();
    return output;
}

// A tone played into a pipe until the player is dropped or the pipe goes.
class TonePlayer {
public:
    TonePlayer(std::string pipe, double hz, double amplitude, int rate)
        : thread_([this, pipe, hz, amplitude, rate] {
              playIntoPipe(pipe, sine(hz, rate, std::size_t(rate) * 30, amplitude), rate, played_,
                           quit_);
          })
    {
    }
    ~TonePlayer()
    {
        quit_ = true;
        thread_.join();
    }

private:
    std::atomic<bool> played_{false};
    std::atomic<bool> quit_{false};
    std::thread thread_;
};

// The pitch of a block by its rising zero crossings: tells the two tones apart.
double frequencyOf(const std::vector<std::uint8_t>& block)
{
    int crossings = 0;
    for (std::size_t i = 1; i < block.size(); ++i)
        crossings += block[i - 1] < 128 && block[i] >= 128;
    return crossings * 11025.0 / double(block.size());
}

// The pitch the microphone hears in its next blocks, once the tone of a
// source just taken over fills them.
double nextFrequency(PulseWaveInput& microphone)
{
    std::vector<std::uint8_t> block;
    int blocks = 0;
    microphone.setBlockHandler([&](const CapturedBlock& captured) {
        block.assign(captured.samples.begin(), captured.samples.end());
        ++blocks;
        microphone.queueBlock(2048);
    });
    microphone.queueBlock(2048);
    microphone.start();
    // The first blocks may still hold what the previous source sent.
    runEventsUntil([&] { return blocks >= 4; }, std::chrono::seconds(5));
    microphone.stop();
    return blocks >= 4 ? frequencyOf(block) : 0.0;
}

class MicrophoneChoiceEndToEnd : public ::testing::Test {
protected:
    void SetUp() override
    {
        server_ = privateSoundServer();
        if (!server_)
            GTEST_SKIP() << "no private PulseAudio server (see .ci/run)";
        std::signal(SIGPIPE, SIG_IGN); // a pipe unloaded under a player ends its writes
        secondPipe_ =
            (std::filesystem::path(server_->microphonePipe).parent_path() / "second.pipe").string();
        defaultPlayer_ = std::make_unique<TonePlayer>(server_->microphonePipe, kDefaultTone, 0.25,
                                                      server_->rate);
        loadSecondSource();
    }
    void TearDown() override
    {
        if (!module_.empty())
            pactl("unload-module " + module_);
        secondPlayer_.reset();
        defaultPlayer_.reset();
    }

    void loadSecondSource()
    {
        module_ =
            pactl("load-module module-pipe-source source_name=" + std::string(kSecondSource) +
                  " file=" + secondPipe_ + " format=s16le rate=" + std::to_string(server_->rate) +
                  " channels=1 source_properties=device.description=Second");
        ASSERT_FALSE(module_.empty()) << "the second pipe source could not be loaded";
        secondPlayer_ =
            std::make_unique<TonePlayer>(secondPipe_, kSecondTone, kSecondAmplitude, server_->rate);
    }
    void unloadSecondSource()
    {
        pactl("unload-module " + module_);
        module_.clear();
        secondPlayer_.reset();
    }

    std::optional<PrivateSoundServer> server_;
    std::string secondPipe_;
    std::string module_;
    std::unique_ptr<TonePlayer> defaultPlayer_;
    std::unique_ptr<TonePlayer> secondPlayer_;
};

TEST_F(MicrophoneChoiceEndToEnd, BothSourcesAreListedAndMonitorsOnlyWhenAskedFor)
{
    const auto sources = listMicrophoneSources();
    auto named = [](const std::vector<MicrophoneSource>& list, const std::string& name) {
        return std::find_if(list.begin(), list.end(),
                            [&](const MicrophoneSource& s) { return s.name == name; });
    };
    ASSERT_NE(named(sources, "pipe_microphone"), sources.end());
    const auto second = named(sources, kSecondSource);
    ASSERT_NE(second, sources.end());
    EXPECT_EQ(second->description, "Second");
    EXPECT_EQ(named(sources, "null_speakers.monitor"), sources.end());

    const auto withMonitors = listMicrophoneSources(true);
    const auto monitor = named(withMonitors, "null_speakers.monitor");
    ASSERT_NE(monitor, withMonitors.end());
    EXPECT_TRUE(monitor->monitor);
}

TEST_F(MicrophoneChoiceEndToEnd, TheChosenSourceIsHeardAtItsLevelAndNotTheDefault)
{
    PulseWaveInput microphone(kSecondSource);
    ASSERT_TRUE(microphone.open());
    EXPECT_NEAR(nextFrequency(microphone), kSecondTone, 15.0);
    EXPECT_FALSE(microphone.fallenBack());

    // Measured before quantisation to 8 bits; ±0.5 dB covers the resampler's
    // ripple and the 16-bit pipe.
    const SoundLevel level = microphone.levelMeter()->latest();
    EXPECT_NEAR(level.peakDbfs, 20 * std::log10(kSecondAmplitude), 0.5);
    EXPECT_NEAR(level.rmsDbfs, 20 * std::log10(kSecondAmplitude / std::sqrt(2.0)), 0.5);

    microphone.choose({});
    EXPECT_NEAR(nextFrequency(microphone), kDefaultTone, 15.0);
}

TEST_F(MicrophoneChoiceEndToEnd, AnUnpluggedChoiceFallsBackToTheDefaultAndReturnsWithTheSource)
{
    PulseWaveInput microphone(kSecondSource);
    std::vector<SourceChange::Kind> changes;
    microphone.setChangeHandler([&](const SourceChange& change) {
        EXPECT_EQ(change.name, kSecondSource);
        changes.push_back(change.kind);
    });
    ASSERT_TRUE(microphone.open());
    EXPECT_NEAR(nextFrequency(microphone), kSecondTone, 15.0);

    unloadSecondSource();
    ASSERT_TRUE(runEventsUntil([&] { return changes.size() == 1; }, std::chrono::seconds(2)));
    EXPECT_EQ(changes[0], SourceChange::Kind::ChosenMissing);
    EXPECT_TRUE(microphone.fallenBack());
    EXPECT_NEAR(nextFrequency(microphone), kDefaultTone, 15.0);

    loadSecondSource();
    ASSERT_TRUE(runEventsUntil([&] { return changes.size() == 2; }, std::chrono::seconds(2)));
    EXPECT_EQ(changes[1], SourceChange::Kind::ChosenBack);
    EXPECT_FALSE(microphone.fallenBack());
    EXPECT_NEAR(nextFrequency(microphone), kSecondTone, 15.0);
}

TEST_F(MicrophoneChoiceEndToEnd, AChoiceMissingAtTheStartListensToTheDefaultAndSaysSo)
{
    unloadSecondSource();
    PulseWaveInput microphone(kSecondSource);
    std::vector<SourceChange::Kind> changes;
    microphone.setChangeHandler(
        [&](const SourceChange& change) { changes.push_back(change.kind); });
    ASSERT_TRUE(microphone.open());
    ASSERT_TRUE(runEventsUntil([&] { return !changes.empty(); }, std::chrono::seconds(2)));
    EXPECT_EQ(changes[0], SourceChange::Kind::ChosenMissing);
    EXPECT_NEAR(nextFrequency(microphone), kDefaultTone, 15.0);

    loadSecondSource();
    ASSERT_TRUE(runEventsUntil([&] { return changes.size() == 2; }, std::chrono::seconds(2)));
    EXPECT_NEAR(nextFrequency(microphone), kSecondTone, 15.0);
}

} // namespace
