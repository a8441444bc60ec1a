#include "voice/detect_command.h"
#include "voice/recording_detection.h"

#include "platform/testing/sound_samples.h"
#include "platform/testing/temp_dir.h"
#include "tests/support/wav_writer.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

TEST(RecordingDetection, BlocksFollowTheLengthsTheDetectorAsksFor)
{
    // Silence, then A2 (note 9: long blocks), then A#4 (note 34: short blocks).
    std::vector<std::uint8_t> samples = silenceBlock(2048);
    auto low = sineBlock(110, 4096);
    auto high = sineBlock(noteFrequency(34), 3072);
    samples.insert(samples.end(), low.begin(), low.end());
    samples.insert(samples.end(), high.begin(), high.end());
    samples.resize(samples.size() + 500, 128); // the incomplete last block is not analysed

    std::vector<std::string> lines;
    for (const auto& block : detectBlocks(samples, DetectorSettings{}, buildPeriodTable(440)))
        lines.push_back(describeBlock(block));
    EXPECT_EQ(lines, (std::vector<std::string>{
                         "   0.000  2048  silent",
                         "   0.186  2048   9 A2     0",
                         "   0.372  2048   9 A2     0",
                         "   0.557  2048  34 A#4    0", // asked for after A2
                         "   0.743  1024  34 A#4    0",
                     }));
    EXPECT_EQ(noteIndexName(0), "C2");
    EXPECT_EQ(noteIndexName(48), "C6");
}

TEST(DetectCommand, PrintsTheScaleOfARecordingOrNamesTheFileItCannotRead)
{
    TempDir dir;
    // C4 D4 E4, half a second each, at 44.1 kHz stereo float.
    std::vector<float> scale;
    for (int note : {24, 26, 28}) {
        auto tone = sine(noteFrequency(note), 44100, 22050);
        scale.insert(scale.end(), tone.begin(), tone.end());
    }
    const std::string path = dir.file("scale.wav").string();
    ASSERT_TRUE(writeSoundFile(path, SF_FORMAT_WAV | SF_FORMAT_FLOAT, 44100, 2, scale));

    std::ostringstream out, err;
    EXPECT_EQ(printRecordingDetection(path, out, err), 0);
    EXPECT_TRUE(err.str().empty());
    const std::string text = out.str();
    const auto c = text.find(" C4 "), d = text.find(" D4 "), e = text.find(" E4 ");
    ASSERT_NE(e, std::string::npos) << text;
    EXPECT_LT(c, d);
    EXPECT_LT(d, e);

    dir.write("noise.wav", "RIFF....WAVEfmt nonsense");
    std::ostringstream noOut, noiseErr;
    EXPECT_EQ(printRecordingDetection(dir.file("noise.wav").string(), noOut, noiseErr), 1);
    EXPECT_TRUE(noOut.str().empty());
    EXPECT_NE(noiseErr.str().find("noise.wav"), std::string::npos);
}

// A scale of a bright tone (its second partial twice as strong as the
// fundamental): Classic hears it an octave up, Precise names it.
TEST(DetectCommand, PrintsWithTheChosenDetector)
{
    TempDir dir;
    std::vector<float> scale;
    for (int note : {12, 14, 16}) { // C3 D3 E3
        auto fundamental = sine(noteFrequency(note), 44100, 22050, 0.2);
        auto second = sine(2 * noteFrequency(note), 44100, 22050, 0.4);
        for (std::size_t i = 0; i < fundamental.size(); ++i)
            fundamental[i] += second[i];
        scale.insert(scale.end(), fundamental.begin(), fundamental.end());
    }
    const std::string path = dir.file("bright.wav").string();
    ASSERT_TRUE(writeSoundFile(path, SF_FORMAT_WAV | SF_FORMAT_FLOAT, 44100, 1, scale));

    std::ostringstream classic, precise, err;
    ASSERT_EQ(printRecordingDetection(path, classic, err, DetectorKind::Classic), 0);
    ASSERT_EQ(printRecordingDetection(path, precise, err, DetectorKind::Precise), 0);
    EXPECT_EQ(classic.str().find(" C3 "), std::string::npos) << classic.str();
    const std::string text = precise.str();
    const auto c = text.find("  1024  12 C3 "), d = text.find(" D3 "), e = text.find(" E3 ");
    ASSERT_NE(e, std::string::npos) << text;
    EXPECT_LT(c, d);
    EXPECT_LT(d, e);
    EXPECT_EQ(text.find(" C4 "), std::string::npos) << text;
}

} // namespace
