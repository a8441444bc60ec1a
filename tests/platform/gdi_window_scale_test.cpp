// Choosing a window's scale (the --scale text, the choice from the screen, the
// remembered choice) and the program icons the windows carry.
#include "platform/gdi/program_icon.h"
#include "platform/gdi/window_scale.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

using namespace gdi;
using Kind = ScaleOption::Kind;

namespace {

TEST(ScaleOptionText, NumbersOneToFourAndAutoAreAcceptedAndNothingElse)
{
    const struct {
        const char* text;
        Kind kind;
        int scale;
    } accepted[] = {{"1", Kind::Fixed, 1}, {"4", Kind::Fixed, 4}, {"auto", Kind::Automatic, 1}};
    for (const auto& row : accepted) {
        const Result<ScaleOption> parsed = parseScaleOption(row.text);
        ASSERT_TRUE(parsed.ok()) << row.text;
        EXPECT_EQ(parsed->kind, row.kind) << row.text;
        EXPECT_EQ(parsed->scale, row.scale) << row.text;
    }
    for (const char* text : {"0", "5", "-2", "2x", " 2", "", "1.5"})
        EXPECT_EQ(parseScaleOption(text).message(),
                  "option '--scale' needs a whole number from 1 to 4 or 'auto'")
            << '"' << text << '"';
}

TEST(AutomaticScale, FollowsTheDesktopsRatioAndLargeScreensButAlwaysFits)
{
    const QSize solfara(500, 494);
    struct Row {
        const char* name;
        ScreenFacts screen;
        int expected;
    };
    const Row rows[] = {
        {"full HD, unscaled", {1.0, {1920, 1080}, {1920, 1040}}, 1},
        {"laptop with the desktop at 2", {2.0, {2880, 1800}, {2880, 1740}}, 2},
        {"desktop at 1.5 rounds up", {1.5, {2560, 1440}, {2560, 1380}}, 2},
        {"desktop at 1.25 rounds down", {1.25, {1920, 1080}, {1920, 1040}}, 1},
        {"4K monitor the desktop leaves unscaled", {1.0, {3840, 2160}, {3840, 2120}}, 2},
        {"8K monitor", {1.0, {7680, 4320}, {7680, 4280}}, 4},
        {"never beyond four", {6.0, {7680, 4320}, {7680, 4280}}, 4},
        {"too little room for 2", {2.0, {1366, 768}, {1366, 728}}, 1},
        {"room for 2 of the 3 asked", {3.0, {3000, 1500}, {3000, 1480}}, 2},
        {"smaller than the window", {1.0, {400, 300}, {400, 300}}, 1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(automaticScale(row.screen, solfara), row.expected);
    }
}

TEST(RememberedScale, KeepsTheLastChoiceIgnoresWhatIsNotAScaleAndReportsWhatCannotBeWritten)
{
    TempDir dir;
    const RememberedScale remembered(dir.file("beatwise/window.conf"));
    EXPECT_EQ(remembered.load(), std::nullopt);
    EXPECT_TRUE(remembered.forget()); // nothing to forget is no failure
    ASSERT_TRUE(remembered.save(3));
    EXPECT_EQ(remembered.load(), 3);
    ASSERT_TRUE(remembered.forget());
    EXPECT_EQ(remembered.load(), std::nullopt);

    for (const char* text : {"scale=7", "scale=two", "scale=", "garbage"}) {
        dir.write("beatwise/window.conf", std::string("[window]\n") + text + "\n");
        EXPECT_EQ(remembered.load(), std::nullopt) << text;
    }

    dir.write("not-a-directory", "");
    const Status saved = RememberedScale(dir.file("not-a-directory/window.conf")).save(2);
    EXPECT_NE(saved.message().find("could not be remembered"), std::string::npos);
    // Without a configuration directory nothing is remembered, and saving says so.
    const RememberedScale nowhere{std::filesystem::path()};
    EXPECT_EQ(nowhere.load(), std::nullopt);
    EXPECT_FALSE(nowhere.save(2));
    EXPECT_TRUE(nowhere.forget());
}

TEST(ProgramIcon, BothProgramsHaveEveryMenuSizeCompiledInAndOthersNone)
{
    for (const char* program : {"solfara", "beatwise"}) {
        SCOPED_TRACE(program);
        const QList<QSize> sizes = programIcon(program).availableSizes();
        for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
            EXPECT_TRUE(sizes.contains(QSize(size, size))) << size;
    }
    EXPECT_TRUE(programIcon("unknown").isNull());
}

TEST(ApplyWindowScale, TheOptionWinsAndIsRememberedAutoForgetsAndChoosesFromTheScreen)
{
    TempDir dir;
    const RememberedScale remembered(dir.file("window.conf"));
    BackBufferedWidget window(nullptr, QSize(100, 80));

    applyWindowScale(window, {Kind::Fixed, 3}, remembered);
    EXPECT_EQ(window.scale(), 3);
    EXPECT_EQ(remembered.load(), 3);

    applyWindowScale(window, {Kind::Remembered, 1}, remembered);
    EXPECT_EQ(window.scale(), 3);

    applyWindowScale(window, {Kind::Automatic, 1}, remembered);
    EXPECT_EQ(remembered.load(), std::nullopt);
    EXPECT_GE(window.scale(), 1) << "chosen from the screen";
    EXPECT_EQ(window.backBuffer().size(), QSize(100, 80));
}

} // namespace
