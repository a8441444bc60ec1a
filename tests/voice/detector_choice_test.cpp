#include "voice/detector_choice_file.h"

#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

namespace {

TEST(DetectorKind, EveryKindHasItsNames)
{
    EXPECT_EQ(detectorDisplayName(DetectorKind::Classic), "Classic");
    EXPECT_EQ(detectorDisplayName(DetectorKind::Precise), "Precise");
    for (DetectorKind kind : allDetectorKinds)
        EXPECT_EQ(detectorKindOfKeyword(detectorKeyword(kind)), kind);
    for (const char* other : {"", "Precise", "precise ", "fast"})
        EXPECT_EQ(detectorKindOfKeyword(other), std::nullopt) << other;
}

TEST(DetectorChoiceFile, AnUnreadableChoiceMeansClassic)
{
    TempDir dir;
    EXPECT_EQ(readDetectorChoice(dir.path()), DetectorKind::Classic);

    ASSERT_TRUE(writeDetectorChoice(dir.path(), DetectorKind::Precise));
    EXPECT_EQ(dir.read(kDetectorChoiceFileName), "detector=precise\r\n");
    EXPECT_EQ(readDetectorChoice(dir.path()), DetectorKind::Precise);
    ASSERT_TRUE(writeDetectorChoice(dir.path(), DetectorKind::Classic));
    EXPECT_EQ(readDetectorChoice(dir.path()), DetectorKind::Classic);

    // Hand-edited: line ends and trailing blanks do not matter, anything else does.
    struct Case {
        std::string text;
        DetectorKind kind;
    };
    for (const Case& c :
         {Case{"detector=precise", DetectorKind::Precise},
          Case{"detector=precise \n", DetectorKind::Precise}, Case{"", DetectorKind::Classic},
          Case{"detector=Precise\r\n", DetectorKind::Classic},
          Case{"precise\r\n", DetectorKind::Classic},
          Case{"\r\ndetector=precise\r\n", DetectorKind::Classic},
          Case{std::string("\0\xff\x01", 3), DetectorKind::Classic}}) {
        dir.write(kDetectorChoiceFileName, c.text);
        EXPECT_EQ(readDetectorChoice(dir.path()), c.kind) << c.text;
    }
}

TEST(DetectorChoiceFile, AFailedSaveIsReportedWithoutLeftovers)
{
    TempDir dir;
    const Status saved = writeDetectorChoice(dir.file("missing"), DetectorKind::Precise);
    EXPECT_FALSE(saved);
    EXPECT_NE(saved.message().find("detector choice"), std::string::npos);

    // When the new file cannot be written, the old choice stays.
    ASSERT_TRUE(writeDetectorChoice(dir.path(), DetectorKind::Precise));
    std::filesystem::create_directory(dir.file(std::string(kDetectorChoiceFileName) + ".new"));
    EXPECT_FALSE(writeDetectorChoice(dir.path(), DetectorKind::Classic));
    EXPECT_EQ(readDetectorChoice(dir.path()), DetectorKind::Precise);
}

} // namespace
