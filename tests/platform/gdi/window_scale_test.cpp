// Choosing a window's scale (the --scale text, the choice from the screen, the
// remembered choice) and the program icons the windows carry.
#include "platform/gdi/program_icon.h"
#include "platform/gdi/window_scale.h"
#include "platform/testing/temp_dir.h"

#include <gtest/gtest.h>

using namespace gdi;
using Kind = ScaleOption::Kind;

namespace {

TEST(ScaleOptionText, AcceptsOnlyOneToFourOrAuto)
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

TEST(AutomaticScale, NeverExceedsWhatTheScreenHolds)
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
    // A scale asked for is lowered the same way until the window fits.
    const ScreenFacts fullHd{1.0, {1920, 1080}, {1920, 1040}};
    EXPECT_EQ(fittingScale(fullHd, solfara, 2), 2);
    EXPECT_EQ(fittingScale(fullHd, solfara, 3), 2);
    EXPECT_EQ(fittingScale(fullHd, solfara, 9), 2);
    EXPECT_EQ(fittingScale({1.0, {400, 300}, {400, 300}}, solfara, 2), 1);
}

TEST(RememberedScale, ReadsBackOnlyAValidLastChoice)
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

TEST(ProgramIcon, EachProgramCarriesExactlyTheMenuSizes)
{
    for (const char* program : {"solfara", "beatwise"}) {
        SCOPED_TRACE(program);
        const QList<QSize> sizes = programIcon(program).availableSizes();
        for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
            EXPECT_TRUE(sizes.contains(QSize(size, size))) << size;
    }
    EXPECT_TRUE(programIcon("unknown").isNull());
}

TEST(ApplyWindowScale, TheCommandLineOverridesTheRememberedChoiceForOneRun)
{
    TempDir dir;
    const RememberedScale remembered(dir.file("window.conf"));
    BackBufferedWidget window(nullptr, QSize(100, 80));

    applyWindowScale(window, {Kind::Fixed, 3}, remembered);
    EXPECT_EQ(window.scale(), 3);
    EXPECT_EQ(remembered.load(), std::nullopt) << "the option is not remembered";

    ASSERT_TRUE(remembered.save(2));
    applyWindowScale(window, {Kind::Remembered, 1}, remembered);
    EXPECT_EQ(window.scale(), 2);
    applyWindowScale(window, {Kind::Automatic, 1}, remembered);
    EXPECT_EQ(remembered.load(), 2) << "'auto' forgets nothing either";
    EXPECT_EQ(window.backBuffer().size(), QSize(100, 80));
}

// The program's own control applies its choice at once, places the window again and
// remembers the choice; automatic forgets it.
TEST(ChooseWindowScale, AChosenScaleTakesEffectForGood)
{
    TempDir dir;
    const RememberedScale remembered(dir.file("window.conf"));
    BackBufferedWidget window(nullptr, QSize(100, 80));
    const auto corner = [](QSize) { return QPoint(10, 20); };
    ASSERT_TRUE(chooseWindowScale(window, 2, &remembered, corner));
    EXPECT_EQ(window.scale(), 2);
    EXPECT_EQ(window.pos(), QPoint(20, 40));
    EXPECT_EQ(remembered.load(), 2);
    ASSERT_TRUE(chooseWindowScale(window, std::nullopt, &remembered, corner));
    EXPECT_EQ(remembered.load(), std::nullopt);
    EXPECT_TRUE(chooseWindowScale(window, 3, nullptr, corner)) << "no memory: this run only";
    EXPECT_EQ(window.scale(), 3);
}

// solfara's own rule puts the window's top 10 pixels above the middle of a 360-pixel band;
// at scale 2 on a full HD screen that would cut off the button row.
TEST(ScaledPlacement, KeepsTheScaledWindowOnTheScreen)
{
    const auto solfaraRule = [](QSize s) {
        return QPoint((s.width() - 500) / 2, (s.height() - 360) / 2 - 10);
    };
    const QRect available(0, 0, 1920, 1040); // a 40-pixel panel at the bottom
    struct Row {
        const char* name;
        double scale;
        QPoint expected;
    };
    const Row rows[] = {
        {"unscaled: the rule as it stands", 1, QPoint(710, 350)},
        {"scale 2: lifted until the bottom fits", 2, QPoint(460, 1040 - 988)},
        {"scale 3: too tall, the top left shows", 3, QPoint(210, 0)},
    };
    for (const Row& r : rows) {
        const QSize window = QSize(502, 494) * r.scale;
        EXPECT_EQ(scaledPlacement(solfaraRule, {1920, 1080}, available, window, r.scale),
                  r.expected)
            << r.name;
    }
}

} // namespace
