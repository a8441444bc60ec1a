#include "voice/detector_choice_file.h"

#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

namespace {

TEST(DetectorKind, KeywordsAndDisplayNames)
{
    EXPECT_EQ(detectorDisplayName(DetectorKind::classic), "Classic");
    EXPECT_EQ(detectorDisplayName(DetectorKind::precise), "Precise");
    for (DetectorKind kind : allDetectorKinds)
        EXPECT_EQ(detectorKindOfKeyword(detectorKeyword(kind)), kind);
    for (const char* other : {"", "Precise", "precise ", "fast"})
        EXPECT_EQ(detectorKindOfKeyword(other), std::nullopt) << other;
}

TEST(DetectorChoiceFile, SavedChoiceIsReadBackAndAMissingOrDamagedFileMeansClassic)
{
    TempDir dir;
    EXPECT_EQ(readDetectorChoice(dir.path()), DetectorKind::classic);

    ASSERT_TRUE(writeDetectorChoice(dir.path(), DetectorKind::precise));
    EXPECT_EQ(dir.read(kDetectorChoiceFileName), "detector=precise\r\n");
    EXPECT_EQ(readDetectorChoice(dir.path()), DetectorKind::precise);
    ASSERT_TRUE(writeDetectorChoice(dir.path(), DetectorKind::classic));
    EXPECT_EQ(readDetectorChoice(dir.path()), DetectorKind::classic);

    // Hand-edited: line ends and trailing blanks do not matter, anything else does.
    struct Case {
        std::string text;
        DetectorKind kind;
    };
    for (const Case& c :
         {Case{"detector=precise", DetectorKind::precise},
          Case{"detector=precise \n", DetectorKind::precise}, Case{"", DetectorKind::classic},
          Case{"detector=Precise\r\n", DetectorKind::classic},
          Case{"precise\r\n", DetectorKind::classic},
          Case{"\r\ndetector=precise\r\n", DetectorKind::classic},
          Case{std::string("\0\xff\x01", 3), DetectorKind::classic}}) {
        dir.write(kDetectorChoiceFileName, c.text);
        EXPECT_EQ(readDetectorChoice(dir.path()), c.kind) << c.text;
    }
}

TEST(DetectorChoiceFile, AFailedSaveSaysSoAndLeavesNothingBehind)
{
    TempDir dir;
    const Status saved = writeDetectorChoice(dir.file("missing"), DetectorKind::precise);
    EXPECT_FALSE(saved);
    EXPECT_NE(saved.message().find("detector choice"), std::string::npos);

    // When the new file cannot be written, the old choice stays.
    ASSERT_TRUE(writeDetectorChoice(dir.path(), DetectorKind::precise));
    std::filesystem::create_directory(dir.file(std::string(kDetectorChoiceFileName) + ".new"));
    EXPECT_FALSE(writeDetectorChoice(dir.path(), DetectorKind::classic));
    EXPECT_EQ(readDetectorChoice(dir.path()), DetectorKind::precise);
}

} // namespace
