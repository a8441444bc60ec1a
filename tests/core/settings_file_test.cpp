#include "core/settings_file.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

// The file a fresh installation writes at its first exit.
const std::string kDefaultText = "autostart=1\r\ncycles=1\r\nrange=1\r\nmelosize=7\r\nscale=1\r\n"
                                 "numScales=14\r\nmode=0\r\nlevel=1\r\nmidi=4294967295\r\n"
                                 "miditimbre=0\r\nmidiVol=100\r\nmicVol=63\r\nmicFilter=10\r\n"
                                 "A=440\r\ntranspose=24\r\nnotation=1\r\nnoteName=2\r\n"
                                 "drilltype==1\r\ncustMelody=0\r\nshapeNote=0\r\n";

Settings readText(const TempDir& dir, const std::string& text, Settings start = {})
{
    dir.write(kSettingsFileName, text);
    readSettingsFile(dir.file(kSettingsFileName), start);
    return start;
}

} // namespace

TEST(SettingsFile, AbsentFileIsCreatedEmptyAndSettingsKeepTheirDefaults)
{
    TempDir dir;
    Settings settings;
    SettingsReadResult result = readSettingsFile(dir.file(kSettingsFileName), settings);
    EXPECT_FALSE(result.fileOpened);
    EXPECT_EQ(settings, Settings{});
    ASSERT_TRUE(std::filesystem::exists(dir.file(kSettingsFileName)));
    EXPECT_EQ(dir.read(kSettingsFileName), "");
}

TEST(SettingsFile, DefaultsAreWrittenAsTwentyCrLfLines)
{
    EXPECT_EQ(settingsFileText(Settings{}), kDefaultText);
    TempDir dir;
    EXPECT_EQ(readText(dir, kDefaultText, Settings{.autostart = 0, .A = 1}), Settings{});
}

TEST(SettingsFile, ValuesGoByPositionNotByKey)
{
    TempDir dir;
    // Swapped first two lines: the keys are never looked at.
    Settings swapped = readText(dir, "cycles=0\r\nautostart=5\r\n");
    EXPECT_EQ(swapped.autostart, 0);
    EXPECT_EQ(swapped.cycles, 5);

    // A blank line (or a comment) still counts and shifts what follows.
    Settings shifted = readText(dir, "autostart=0\r\n\r\n# note\r\nrange=3\r\n");
    EXPECT_EQ(shifted.autostart, 0);
    EXPECT_EQ(shifted.cycles, 1);   // blank line: not assigned
    EXPECT_EQ(shifted.range, 1);    // comment without "=": not assigned
    EXPECT_EQ(shifted.melosize, 3); // the range line landed on melosize
}

TEST(SettingsFile, NumberAfterTheLastEqualsSignWrapsAndStopsAtText)
{
    TempDir dir;
    std::string text;
    for (int i = 0; i < 20; ++i) {
        switch (i) {
        case 8:
            text += "midi=4294967295\r\n";
            break;
        case 13:
            text += "A=440Hz\r\n";
            break;
        case 14:
            text += "transpose= -3\r\n";
            break;
        case 17:
            text += "drilltype==3\r\n";
            break;
        case 18:
            text += "custMelody=a=b=7\r\n";
            break;
        default:
            text += "x=\r\n";
            break; // no digits give 0
        }
    }
    Settings s = readText(dir, text);
    EXPECT_EQ(s.midi, -1);
    EXPECT_EQ(s.A, 440);
    EXPECT_EQ(s.transpose, -3);
    EXPECT_EQ(s.drilltype, 3);
    EXPECT_EQ(s.custMelody, 7);
    EXPECT_EQ(s.autostart, 0);
    // And back: -1 is written unsigned, drilltype with its double "=".
    std::string written = settingsFileText(s);
    EXPECT_NE(written.find("\r\nmidi=4294967295\r\n"), std::string::npos);
    EXPECT_NE(written.find("\r\ndrilltype==3\r\n"), std::string::npos);
    EXPECT_NE(written.find("\r\ntranspose=4294967293\r\n"), std::string::npos);
}

TEST(SettingsFile, ShortAndLongFilesAssignOnlyTheirFirstTwentyLines)
{
    TempDir dir;
    Settings shortFile = readText(dir, "autostart=0\r\ncycles=4"); // no final line end
    EXPECT_EQ(shortFile.autostart, 0);
    EXPECT_EQ(shortFile.cycles, 4);
    EXPECT_EQ(shortFile.range, Settings{}.range);

    std::string longText = settingsFileText(Settings{.shapeNote = 1});
    for (int i = 0; i < 5; ++i)
        longText += "autostart=0\r\n";
    EXPECT_EQ(readText(dir, longText), Settings{.shapeNote = 1});
}

TEST(SettingsFile, DamagedFilesLoadWithoutHarm)
{
    TempDir dir;
    std::string binary;
    for (int i = 0; i < 256; ++i)
        if (i != '\n')
            binary += static_cast<char>(i);
    // One binary line (its NUL byte ends it before any "="), then a 1 MB line
    // whose last "=" lies beyond the part that is looked at, then numbers
    // that are negative, huge and signed.
    std::string text = binary + "\n" + std::string(1 << 20, '=') + "5\n" +
                       "range=-2147483648\r\nmelosize=99999999999\r\nscale=+12\r\n";
    Settings s = readText(dir, text);
    EXPECT_EQ(s.autostart, Settings{}.autostart);
    EXPECT_EQ(s.cycles, 0); // "=====..." cut at 259 characters: nothing after the last "="
    EXPECT_EQ(s.range, INT32_MIN);
    EXPECT_EQ(s.melosize, 1215752191); // 99999999999 modulo 2^32
    EXPECT_EQ(s.scale, 12);
    EXPECT_EQ(s.numScales, Settings{}.numScales);
}

TEST(SettingsFile, AMillionLinesAreReadOnlyAsFarAsNeeded)
{
    TempDir dir;
    std::string text;
    text.reserve(12'000'000);
    for (int i = 0; i < 1'000'000; ++i)
        text += "cycles=3\r\n";
    Settings s = readText(dir, text);
    EXPECT_EQ(s.autostart, 3);
    EXPECT_EQ(s.shapeNote, 3);
}

TEST(SettingsFile, WritesInPlaceWithoutCreatingOrTruncating)
{
    TempDir dir;
    EXPECT_FALSE(writeSettingsFile(dir.file(kSettingsFileName), Settings{}));
    EXPECT_FALSE(std::filesystem::exists(dir.file(kSettingsFileName)));

    const std::string tail = "stale=1\r\nmore stale bytes";
    dir.write(kSettingsFileName, std::string(kDefaultText.size(), 'x') + tail);
    ASSERT_TRUE(writeSettingsFile(dir.file(kSettingsFileName), Settings{}));
    EXPECT_EQ(dir.read(kSettingsFileName), kDefaultText + tail);
    // The stale tail lies beyond line 20 and changes nothing.
    EXPECT_EQ(readText(dir, dir.read(kSettingsFileName)), Settings{});
}
