#include "platform/audio/internal/wav_file_wave_input.h"
#include "platform/audio/wav_source.h"
#include "tests/support/event_loop.h"
#include "platform/testing/sound_samples.h"
#include "platform/testing/temp_dir.h"
#include "tests/support/wav_writer.h"

#include <gtest/gtest.h>

#include <array>

namespace {

TEST(WavSource, ReadsCommonWavFormatsAsTheMicrophoneWouldHearThem)
{
    // Integer, float and extensible files, mono to four channels; other device rates are
    // the converter's to handle.
    TempDir dir;
    const std::string path = dir.file("tone.wav").string();
    for (auto [format, rate, channels] : {std::array{SF_FORMAT_WAV | SF_FORMAT_PCM_U8, 11025, 1},
                                          {SF_FORMAT_WAV | SF_FORMAT_PCM_16, 44100, 1},
                                          {SF_FORMAT_WAV | SF_FORMAT_PCM_16, 48000, 2},
                                          {SF_FORMAT_WAV | SF_FORMAT_FLOAT, 44100, 2},
                                          {SF_FORMAT_WAVEX | SF_FORMAT_PCM_16, 96000, 4}}) {
        SCOPED_TRACE(testing::Message() << std::hex << format << std::dec << " at " << rate);
        ASSERT_TRUE(writeSoundFile(path, format, rate, channels, sine(440, rate, rate / 2)));
        auto read = readCaptureSamples(path);
        ASSERT_TRUE(read) << read.message();
        const std::vector<std::uint8_t>& samples = *read;
        EXPECT_NEAR(double(samples.size()), 11025 * 0.5, 30);
        ASSERT_GT(samples.size(), 4596u);
        EXPECT_NEAR(toneStrength(std::span(samples).subspan(500, 4096), 440), 0.5, 0.03);
    }
}

TEST(WavSource, AnUnreadableFileGivesAnErrorInsteadOfSamples)
{
    TempDir dir;
    auto missing = readCaptureSamples(dir.file("missing.wav").string());
    EXPECT_FALSE(missing);
    EXPECT_NE(missing.message().find("missing.wav"), std::string::npos);

    dir.write("garbage.wav", std::string(5000, 'Z'));
    auto garbage = readCaptureSamples(dir.file("garbage.wav").string());
    EXPECT_FALSE(garbage);
    EXPECT_FALSE(garbage.message().empty());
    Status readable = canReadRecording(dir.file("garbage.wav").string());
    EXPECT_FALSE(readable);
    EXPECT_EQ(readable.message(), garbage.message());

    // A header that promises more data than the file holds reads what is there.
    ASSERT_TRUE(writeSoundFile(dir.file("cut.wav").string(), SF_FORMAT_WAV | SF_FORMAT_PCM_16,
                               11025, 1, sine(440, 11025, 11025)));
    std::string cut = dir.read("cut.wav");
    dir.write("cut.wav", cut.substr(0, cut.size() / 2));
    auto samples = readCaptureSamples(dir.file("cut.wav").string());
    ASSERT_TRUE(samples) << samples.message();
    EXPECT_NEAR(double(samples->size()), 11025 / 2.0, 50);
}

TEST(WavFileWaveInput, PlaysTheRecordingThenHearsSilence)
{
    TempDir dir;
    const std::string path = dir.file("tone.wav").string();
    ASSERT_TRUE(writeSoundFile(path, SF_FORMAT_WAV | SF_FORMAT_PCM_16, 44100, 1,
                               sine(440, 44100, 13230))); // 0.3 s: 3308 samples at 11025 Hz
    auto created = WavFileWaveInput::create(path);
    ASSERT_TRUE(created) << created.message();
    auto& input = *created;

    std::vector<std::vector<std::uint8_t>> blocks;
    input->setBlockHandler([&](const CapturedBlock& block) {
        blocks.emplace_back(block.samples.begin(), block.samples.end());
        input->queueBlock(1024);
    });
    ASSERT_TRUE(input->open());
    input->queueBlock(1024);
    input->start();
    ASSERT_TRUE(runEventsUntil([&] { return blocks.size() >= 5; }));
    input->close();

    EXPECT_GT(toneStrength(blocks[0], 440), 0.4);
    EXPECT_EQ(blocks[4], std::vector<std::uint8_t>(1024, 128)); // wholly after the tone
}

} // namespace
