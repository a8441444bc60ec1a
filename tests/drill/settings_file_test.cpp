#include "drill/settings_file.h"
#include "platform/testing/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

// The file a fresh installation writes at its first exit.
const std::string kDefaultText = "autostart=1\r\ncycles=1\r\nrange=1\r\nmelosize=7\r\nscale=1\r\n"
                                 "numScales=14\r\nmode=0\r\nlevel=1\r\nmidi=4294967295\r\n"
                                 "miditimbre=0\r\nmidiVol=100\r\nmicVol=63\r\nmicFilter=10\r\n"
                                 "A=440\r\ntranspose=24\r\nnotation=1\r\nnoteName=2\r\n"
                                 "drilltype==1\r\ncustMelody=0\r\nshapeNote=0\r\n";

class SettingsFileTest : public ::testing::Test {
protected:
    Settings read(const std::string& text, Settings start = {}) const
    {
        dir.write(kSettingsFileName, text);
        readSettingsFile(dir.file(kSettingsFileName), start);
        return start;
    }
    TempDir dir;
};

} // namespace

TEST_F(SettingsFileTest, DefaultsAreWrittenAsTwentyCrLfLines)
{
    Settings settings;
    EXPECT_FALSE(readSettingsFile(dir.file(kSettingsFileName), settings).fileOpened);
    EXPECT_EQ(settings, Settings{});
    EXPECT_EQ(dir.read(kSettingsFileName), "");

    EXPECT_EQ(settingsFileText(Settings{}), kDefaultText);
    EXPECT_EQ(read(kDefaultText, Settings{.autostart = 0, .A = 1}), Settings{});
}

// Values go by line position, never by key; the number follows the last "="
// and wraps around 32 bits, and is written back unsigned.
TEST_F(SettingsFileTest, ReadsByPositionAfterTheLastEqualsSign)
{
    const Settings s = read("cycles=0\r\n\r\n# note\r\nrange=3\r\nx=\r\nnumScales=12abc\r\n"
                            "mode=a=b=7\r\nlevel= -3\r\nmidi=4294967295\r\n");
    EXPECT_EQ(s.autostart, 0); // the cycles line sits where autostart belongs
    EXPECT_EQ(s.cycles, 1);    // a blank line assigns nothing
    EXPECT_EQ(s.range, 1);     // nor does a line without "="
    EXPECT_EQ(s.melosize, 3);  // the range line landed on melosize
    EXPECT_EQ(s.scale, 0);     // no digits give 0
    EXPECT_EQ(s.numScales, 12);
    EXPECT_EQ(s.mode, 7);
    EXPECT_EQ(s.level, -3);
    EXPECT_EQ(s.midi, -1);
    const std::string written = settingsFileText(s);
    EXPECT_NE(written.find("\r\nlevel=4294967293\r\nmidi=4294967295\r\n"), std::string::npos);
}

TEST_F(SettingsFileTest, DamagedFilesLoadWithoutHarm)
{
    std::string binary;
    for (int i = 0; i < 256; ++i)
        if (i != '\n')
            binary += static_cast<char>(i);
    // One binary line (its NUL byte ends it before any "="), then a 1 MB line
    // whose last "=" lies beyond the part that is looked at, then numbers that
    // are negative, huge and signed, and a last line without its line end.
    const Settings s =
        read(binary + "\n" + std::string(1 << 20, '=') + "5\n" +
             "range=-2147483648\r\nmelosize=99999999999\r\nscale=+12\r\nnumScales=9");
    EXPECT_EQ(s.autostart, Settings{}.autostart);
    EXPECT_EQ(s.cycles, 0);
    EXPECT_EQ(s.range, INT32_MIN);
    EXPECT_EQ(s.melosize, 1215752191); // 99999999999 modulo 2^32
    EXPECT_EQ(s.scale, 12);
    EXPECT_EQ(s.numScales, 9);
    EXPECT_EQ(s.mode, Settings{}.mode);

    std::string million;
    million.reserve(12'000'000);
    for (int i = 0; i < 1'000'000; ++i)
        million += "cycles=3\r\n";
    const Settings many = read(million);
    EXPECT_EQ(many.autostart, 3);
    EXPECT_EQ(many.shapeNote, 3);
}

TEST_F(SettingsFileTest, WritesInPlaceWithoutCreatingOrTruncating)
{
    EXPECT_FALSE(writeSettingsFile(dir.file(kSettingsFileName), Settings{}));
    EXPECT_FALSE(std::filesystem::exists(dir.file(kSettingsFileName)));

    const std::string tail = "stale=1\r\nmore stale bytes";
    dir.write(kSettingsFileName, std::string(kDefaultText.size(), 'x') + tail);
    ASSERT_TRUE(writeSettingsFile(dir.file(kSettingsFileName), Settings{}));
    EXPECT_EQ(dir.read(kSettingsFileName), kDefaultText + tail);
    // The stale tail lies beyond line 20 and changes nothing.
    EXPECT_EQ(read(dir.read(kSettingsFileName)), Settings{});
}
