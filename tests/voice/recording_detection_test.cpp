#include "voice/detect_command.h"
#include "voice/recording_detection.h"

#include "tests/platform/audio/wav_writer.h"
#include "tests/support/temp_dir.h"
#include "tests/voice/tone.h"

#include <gtest/gtest.h>

#include <sndfile.h>

#include <sstream>

namespace {

TEST(RecordingDetection, NamesNotesWithLetterAndOctave)
{
    EXPECT_EQ(noteIndexName(0), "C2");
    EXPECT_EQ(noteIndexName(24), "C4");
    EXPECT_EQ(noteIndexName(33), "A4");
    EXPECT_EQ(noteIndexName(34), "A#4");
    EXPECT_EQ(noteIndexName(48), "C6");
}

TEST(RecordingDetection, BlocksFollowTheLengthsTheDetectorAsksFor)
{
    // Silence, then A2 (note 9: long blocks), then A4 (note 33: short blocks).
    std::vector<std::uint8_t> samples = silenceBlock(2048);
    auto low = sineBlock(110, 4096);
    auto high = sineBlock(440, 3072);
    samples.insert(samples.end(), low.begin(), low.end());
    samples.insert(samples.end(), high.begin(), high.end());
    samples.resize(samples.size() + 500, 128); // the incomplete last block is not analysed

    const auto blocks = detectBlocks(samples, DetectorSettings{}, buildPeriodTable(440));
    std::vector<std::string> lines;
    for (const auto& block : blocks)
        lines.push_back(describeBlock(block));
    EXPECT_EQ(lines, (std::vector<std::string>{
                         "   0.000  2048  silent",
                         "   0.186  2048   9 A2",
                         "   0.372  2048   9 A2",
                         "   0.557  2048  33 A4", // asked for after A2
                         "   0.743  1024  33 A4",
                     }));
}

TEST(DetectCommand, PrintsTheScaleOfARecording)
{
    TempDir dir;
    // C4 D4 E4, half a second each, at 44.1 kHz stereo float.
    const std::string path = dir.file("scale.wav").string();
    SF_INFO info{};
    info.samplerate = 44100;
    info.channels = 2;
    info.format = SF_FORMAT_WAV | SF_FORMAT_FLOAT;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    ASSERT_TRUE(file);
    for (int note : {24, 26, 28}) {
        std::vector<float> frames(44100);
        for (int i = 0; i < 22050; ++i)
            frames[2 * i] = frames[2 * i + 1] =
                float(0.5 * std::sin(2 * std::numbers::pi * noteFrequency(note) * i / 44100));
        sf_writef_float(file, frames.data(), 22050);
    }
    sf_close(file);

    std::ostringstream out, err;
    EXPECT_EQ(printRecordingDetection(path, out, err), 0);
    EXPECT_TRUE(err.str().empty());
    const std::string text = out.str();
    const auto c = text.find(" C4\n"), d = text.find(" D4\n"), e = text.find(" E4\n");
    ASSERT_NE(c, std::string::npos) << text;
    ASSERT_NE(d, std::string::npos) << text;
    ASSERT_NE(e, std::string::npos) << text;
    EXPECT_LT(c, d);
    EXPECT_LT(d, e);
}

TEST(DetectCommand, UnreadableFileIsAnErrorWithItsName)
{
    TempDir dir;
    dir.write("noise.wav", "RIFF....WAVEfmt nonsense");
    std::ostringstream out, err;
    EXPECT_EQ(printRecordingDetection(dir.file("noise.wav").string(), out, err), 1);
    EXPECT_TRUE(out.str().empty());
    EXPECT_NE(err.str().find("noise.wav"), std::string::npos);
}

} // namespace
