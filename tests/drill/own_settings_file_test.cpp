#include "drill/own_settings_file.h"

#include "platform/testing/temp_dir.h"

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

TEST(OwnSettingsFile, SavedSettingsReadBackWithTheLinesOfOtherKeys)
{
    TempDir dir;
    dir.write(kOwnSettingsFileName, "volume=7\r\nmicrophone=old\r\n");
    ASSERT_TRUE(updateOwnSettings(dir.path(), [](OwnSettings& own) {
        own.detector = DetectorKind::Precise;
        own.microphone = "alsa_input.usb-Blue_Yeti-00.analog-stereo";
        own.microphoneCheckOffered = true;
        own.practice = {.toleranceCents = 25, .sight = SightMode::TonicOnly};
    }));
    EXPECT_EQ(dir.read(kOwnSettingsFileName),
              "detector=precise\r\nmicrophone=alsa_input.usb-Blue_Yeti-00.analog-stereo\r\n"
              "microphoneCheckOffered=1\r\ntolerance=25\r\nsight=tonic\r\nvolume=7\r\n");
    const OwnSettings read = readOwnSettings(dir.path());
    EXPECT_EQ(read.detector, DetectorKind::Precise);
    EXPECT_EQ(read.microphone, "alsa_input.usb-Blue_Yeti-00.analog-stereo");
    EXPECT_TRUE(read.microphoneCheckOffered);
    EXPECT_EQ(read.practice.toleranceCents, 25);
    EXPECT_EQ(read.practice.sight, SightMode::TonicOnly);
    EXPECT_EQ(read.otherLines, std::vector<std::string>{"volume=7"});

    // The default microphone, a check not yet offered and today's practice leave no lines.
    ASSERT_TRUE(updateOwnSettings(dir.path(), [](OwnSettings& own) {
        own.microphone.clear();
        own.microphoneCheckOffered = false;
        own.practice = {};
    }));
    EXPECT_EQ(dir.read(kOwnSettingsFileName), "detector=precise\r\nvolume=7\r\n");
}

TEST(PracticeChoices, EveryOfferedChoiceReadsBackFromItsWordAndOthersReadAsTodaysRules)
{
    std::optional<int> read = 15;
    EXPECT_TRUE(readToleranceKeyword(toleranceKeyword(std::nullopt), read));
    EXPECT_EQ(read, std::nullopt);
    for (int cents : kToleranceChoices) {
        EXPECT_TRUE(readToleranceKeyword(toleranceKeyword(cents), read));
        EXPECT_EQ(read, cents);
    }
    for (SightMode sight : {SightMode::Always, SightMode::TonicOnly})
        EXPECT_EQ(sightOfKeyword(sightKeyword(sight)), sight);
    // 30 cents is not offered: a hand-edited file reads as "Any".
    EXPECT_FALSE(readToleranceKeyword("30", read));
    EXPECT_EQ(sightOfKeyword("Tonic"), std::nullopt);
    TempDir dir;
    dir.write(kOwnSettingsFileName, "tolerance=30\r\nsight=never\r\n");
    const OwnSettings own = readOwnSettings(dir.path());
    EXPECT_EQ(own.practice.toleranceCents, std::nullopt);
    EXPECT_EQ(own.practice.sight, SightMode::Always);
    EXPECT_TRUE(own.otherLines.empty());
}

TEST(OwnSettingsFile, HandEditedFilesReadAsTheirLinesSay)
{
    struct Case {
        const char* name;
        std::string own;      // solfara.cfg; empty: no file
        std::string previous; // detector.cfg of earlier versions; empty: no file
        DetectorKind detector;
        std::string microphone;
    };
    const Case cases[] = {
        {"no files at all", "", "", DetectorKind::Classic, ""},
        {"line ends and trailing blanks", "detector=precise \nmicrophone=usb \t\n", "",
         DetectorKind::Precise, "usb"},
        {"a keyword in capitals", "detector=Precise\r\n", "", DetectorKind::Classic, ""},
        {"a value without its key", "precise\r\n", "", DetectorKind::Classic, ""},
        {"binary junk", std::string("\0\xff\x01", 3), "", DetectorKind::Classic, ""},
        {"the earlier detector file alone", "", "detector=precise\r\n", DetectorKind::Precise, ""},
        {"the earlier file without a detector line here", "microphone=usb\r\n",
         "detector=precise\r\n", DetectorKind::Precise, "usb"},
        {"this file's detector line wins", "detector=classic\r\n", "detector=precise\r\n",
         DetectorKind::Classic, ""},
        {"an empty microphone name is the default", "microphone=\r\n", "", DetectorKind::Classic,
         ""},
    };
    for (const Case& c : cases) {
        TempDir dir;
        if (!c.own.empty())
            dir.write(kOwnSettingsFileName, c.own);
        if (!c.previous.empty())
            dir.write(kOldDetectorChoiceFileName, c.previous);
        const OwnSettings read = readOwnSettings(dir.path());
        EXPECT_EQ(read.detector, c.detector) << c.name;
        EXPECT_EQ(read.microphone, c.microphone) << c.name;
    }
}

TEST(OwnSettingsFile, AFailedSaveIsReportedAndLeavesTheOldSettings)
{
    TempDir dir;
    const Status saved = writeOwnSettings(dir.file("missing"), {});
    EXPECT_FALSE(saved);
    EXPECT_NE(saved.message().find("Cannot save the settings"), std::string::npos);

    ASSERT_TRUE(writeOwnSettings(dir.path(), {.detector = DetectorKind::Precise}));
    std::filesystem::create_directory(dir.file(std::string(kOwnSettingsFileName) + ".new"));
    EXPECT_FALSE(writeOwnSettings(dir.path(), {}));
    EXPECT_EQ(readOwnSettings(dir.path()).detector, DetectorKind::Precise);
}

} // namespace
