#include "music/scale_file.h"
#include "tests/support/temp_dir.h"

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

} // namespace

TEST(ScaleFile, AbsentFileIsCreatedEmptyAndGivesTheBuiltInScales)
{
    TempDir dir;
    for (int numScales : {14, 5, 40, -3}) {
        std::filesystem::remove(dir.file(kScaleFileName));
        ScaleList scales = loadScales(dir.file(kScaleFileName), numScales);
        EXPECT_EQ(scales, builtInScales());
        ASSERT_TRUE(std::filesystem::exists(dir.file(kScaleFileName)));
        EXPECT_EQ(dir.read(kScaleFileName), "");
    }
}

TEST(ScaleFile, FreshFileRoundTripsTheFourteenScalesWithCrLf)
{
    TempDir dir;
    ScaleList scales = loadScales(dir.file(kScaleFileName), 14);
    ASSERT_TRUE(saveScales(dir.file(kScaleFileName), scales));
    std::string text = dir.read(kScaleFileName);
    EXPECT_EQ(text, builtInFileText());
    EXPECT_EQ(text.substr(0, 12), "MAJOR,2741\r\n");
    EXPECT_EQ(loadScales(dir.file(kScaleFileName), 14), builtInScales());
}

TEST(ScaleFile, LastCommaSplitsNameAndMask)
{
    TempDir dir;
    ScaleList scales = builtInScales();
    scales.push_back({1234, "Blues, minor, 6"});
    dir.write(kScaleFileName, "");
    ASSERT_TRUE(saveScales(dir.file(kScaleFileName), scales));
    ScaleList back = loadScales(dir.file(kScaleFileName), 15);
    ASSERT_EQ(back.size(), 15u);
    EXPECT_EQ(back[14].name, "Blues, minor, 6");
    EXPECT_EQ(back[14].mask, 1234u);
}

TEST(ScaleFile, ReadsOnlyNumScalesLinesSoStaleTailIsIgnored)
{
    TempDir dir;
    std::string text = builtInFileText() + "Extra,7\r\nStale tail,3\r\n";
    dir.write(kScaleFileName, text);
    EXPECT_EQ(loadScales(dir.file(kScaleFileName), 15).size(), 15u);
    EXPECT_EQ(loadScales(dir.file(kScaleFileName), 14).size(), 14u);

    // Saving a shorter list writes over the start and leaves the old tail in place.
    ASSERT_TRUE(saveScales(dir.file(kScaleFileName), builtInScales()));
    EXPECT_EQ(dir.read(kScaleFileName), text);
}

TEST(ScaleFile, MalformedLinesKeepTheirPositions)
{
    TempDir dir;
    dir.write(kScaleFileName, "no comma here\nTrailing,\nSigned, -1\nName,12abc\n");
    ScaleList scales = loadScales(dir.file(kScaleFileName), 14);
    ASSERT_EQ(scales.size(), 14u);
    EXPECT_EQ(scales[0], (ScaleRecord{0, "no comma here"}));
    EXPECT_EQ(scales[1], (ScaleRecord{0, "Trailing"}));
    EXPECT_EQ(scales[2], (ScaleRecord{0xFFFFFFFFu, "Signed"}));
    EXPECT_EQ(scales[3], (ScaleRecord{12, "Name"}));
    // The file ended early: the remaining first fourteen positions are built-in.
    EXPECT_EQ(scales[4], builtInScales()[4]);
    EXPECT_EQ(scales[13], builtInScales()[13]);

    // A mask of -1 is written back as it was read.
    ASSERT_TRUE(saveScales(dir.file(kScaleFileName), scales));
    EXPECT_NE(dir.read(kScaleFileName).find("Signed,-1\r\n"), std::string::npos);
}

TEST(ScaleFile, ShortFileNeverLeavesUnfilledRecords)
{
    TempDir dir;
    dir.write(kScaleFileName, builtInFileText() + "Mine,5\r\n");
    // numScales promises 40 scales but the file holds 15: the list ends at 15.
    EXPECT_EQ(loadScales(dir.file(kScaleFileName), 40).size(), 15u);
    // An empty file (say, from a first run that never reached its exit).
    dir.write(kScaleFileName, "");
    EXPECT_EQ(loadScales(dir.file(kScaleFileName), 14), builtInScales());
}

TEST(ScaleFile, NumScalesIsBoundedByTheListRoom)
{
    TempDir dir;
    std::string text;
    for (int i = 0; i < 150; ++i)
        text += "S" + std::to_string(i) + "," + std::to_string(i) + "\r\n";
    dir.write(kScaleFileName, text);
    EXPECT_EQ(loadScales(dir.file(kScaleFileName), 1000000).size(),
              static_cast<std::size_t>(kMaxScales));
    EXPECT_EQ(loadScales(dir.file(kScaleFileName), 3).size(), 14u);
}

TEST(ScaleFile, DamagedBytesAndHugeLinesLoadSafely)
{
    TempDir dir;
    std::string binary;
    for (int i = 0; i < 256; ++i)
        binary += static_cast<char>(i);
    std::string huge = std::string(1 << 20, 'n') + ",99";
    dir.write(kScaleFileName, binary + "\n" + huge + "\nTense,195"); // no final line end
    ScaleList scales = loadScales(dir.file(kScaleFileName), 14);
    ASSERT_EQ(scales.size(), 14u);
    for (const auto& s : scales)
        EXPECT_LE(s.name.size(), kScaleNameLength);
    // Byte 10 of the binary run is itself a line end, so it fills two positions.
    EXPECT_EQ(scales[2].name, std::string(kScaleNameLength, 'n'));
    EXPECT_EQ(scales[3], (ScaleRecord{195, "Tense"}));
    EXPECT_EQ(scales[4], builtInScales()[4]);
}

TEST(ScaleFile, SaveNeverCreatesTheFile)
{
    TempDir dir;
    EXPECT_FALSE(saveScales(dir.file(kScaleFileName), builtInScales()));
    EXPECT_FALSE(std::filesystem::exists(dir.file(kScaleFileName)));
}

TEST(ScaleNames, LongNamesAreCutOnACharacterBoundary)
{
    EXPECT_EQ(fitScaleName(std::string(40, 'a')).size(), 31u);
    // 30 ASCII characters then a two-byte character that would straddle the limit.
    std::string name = std::string(30, 'a') + "\xC3\xA9" + "b";
    EXPECT_EQ(fitScaleName(name), std::string(30, 'a'));
}
