#include "music/scale_file.h"
#include "platform/testing/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

std::string builtInFileText()
{
    std::string text;
    for (const auto& s : builtInScales())
        text += s.name + "," + std::to_string(s.mask) + "\r\n";
    return text;
}

class ScaleFileTest : public ::testing::Test {
protected:
    ScaleList load(int numScales) const { return loadScales(dir.file(kScaleFileName), numScales); }
    bool save(const ScaleList& list) const
    {
        return saveScales(dir.file(kScaleFileName), list).ok();
    }
    TempDir dir;
};

// Only loading creates the file, empty; the list written to it then reads
// back whole, names with commas included.
TEST_F(ScaleFileTest, RoundTripSplitsAtTheLastComma)
{
    EXPECT_FALSE(save(builtInScales()));
    EXPECT_FALSE(std::filesystem::exists(dir.file(kScaleFileName)));
    EXPECT_EQ(load(40), builtInScales());
    EXPECT_EQ(dir.read(kScaleFileName), "");
    EXPECT_EQ(load(14), builtInScales()) << "an empty file gives the built-in scales";

    ScaleList scales = builtInScales();
    scales.push_back({1234, "Blues, minor, 6"});
    ASSERT_TRUE(save(scales));
    const std::string text = builtInFileText() + "Blues, minor, 6,1234\r\n";
    EXPECT_EQ(dir.read(kScaleFileName), text);
    EXPECT_EQ(load(15), scales);

    // Saving a shorter list writes over the start; numScales keeps the old
    // tail from being read.
    ASSERT_TRUE(save(builtInScales()));
    EXPECT_EQ(dir.read(kScaleFileName), text);
    EXPECT_EQ(load(14), builtInScales());
    // numScales beyond the lines present ends the list at the last line read.
    EXPECT_EQ(load(40), scales);
}

TEST_F(ScaleFileTest, MalformedLinesKeepTheirPositions)
{
    dir.write(kScaleFileName, "no comma here\nTrailing,\nSigned, -1\nName,12abc\n");
    const ScaleList scales = load(14);
    ASSERT_EQ(scales.size(), 14u);
    EXPECT_EQ(scales[0], (ScaleRecord{0, "no comma here"}));
    EXPECT_EQ(scales[1], (ScaleRecord{0, "Trailing"}));
    EXPECT_EQ(scales[2], (ScaleRecord{0xFFFFFFFFu, "Signed"}));
    EXPECT_EQ(scales[3], (ScaleRecord{12, "Name"}));
    EXPECT_EQ(scales[4], builtInScales()[4]);
    ASSERT_TRUE(save(scales));
    EXPECT_NE(dir.read(kScaleFileName).find("\nSigned,-1\r\n"), std::string::npos);
}

TEST_F(ScaleFileTest, NumScalesIsBoundedByTheListRoom)
{
    std::string text;
    for (int i = 0; i < 150; ++i)
        text += "S" + std::to_string(i) + "," + std::to_string(i) + "\r\n";
    dir.write(kScaleFileName, text);
    EXPECT_EQ(load(1000000).size(), static_cast<std::size_t>(kMaxScales));
    EXPECT_EQ(load(3).back(), (ScaleRecord{13, "S13"})) << "at least fourteen lines are read";
}

TEST_F(ScaleFileTest, DamagedFilesLoadSafely)
{
    std::string binary;
    for (int i = 0; i < 256; ++i)
        binary += static_cast<char>(i);
    const std::string huge = std::string(1 << 20, 'n') + ",99";
    dir.write(kScaleFileName, binary + "\n" + huge + "\nTense,195"); // no final line end
    const ScaleList scales = load(14);
    ASSERT_EQ(scales.size(), 14u);
    // Byte 10 of the binary run is itself a line end, so it fills two positions.
    EXPECT_EQ(scales[2].name, std::string(kScaleNameLength, 'n'));
    EXPECT_EQ(scales[3], (ScaleRecord{195, "Tense"}));
    EXPECT_EQ(scales[4], builtInScales()[4]);
    for (const auto& s : scales)
        EXPECT_LE(s.name.size(), kScaleNameLength);
    // A long name is cut on a character boundary.
    EXPECT_EQ(fitScaleName(std::string(30, 'a') + "\xC3\xA9" + "b"), std::string(30, 'a'));
}

} // namespace
