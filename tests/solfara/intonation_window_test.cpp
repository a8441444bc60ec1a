// How in tune the singer is, as the main window shows it: the needle while
// listening, each confirmed note's cents, the tolerance a held note must meet,
// sight singing, and the "Last Drill ..." report.
#include "tests/support/main_window_rig.h"

#include "render/cents_needle.h"
#include "solfara/last_drill_report.h"
#include "tests/support/pixel_count.h"

#include <QKeyEvent>

#include <gtest/gtest.h>

#include <cmath>

namespace {

class IntonationWindowTest : public testing::Test {
protected:
    MainWindowRig w;

    IntonationWindowTest()
    {
        Settings s = MainWindowRig::tuneSettings();
        s.autostart = 0;
        settings = s;
    }

    // A block of note index `note` sung `cents` off.
    void sing(int note, double cents)
    {
        w.hear(sineBlock(noteFrequency(note) * std::pow(2.0, cents / 1200), w.queuedLength()));
    }
    int needlePixels(CentsGrade grade)
    {
        return countPixels(w.dc(), kNeedleLeft, kNeedleTop, kNeedleWidth, kNeedleHeight,
                           gradeColour(grade));
    }
    // Pixels of `grade`'s colour in the strip under note `n`'s column.
    int centsPixelsUnder(int n, CentsGrade grade)
    {
        const int x = w.cycle().layout().firstNoteX + 30 * n - 8;
        return countPixels(w.dc(), x - 14, 368, 29, 17, gradeColour(grade));
    }

    // Opens the report afresh, once the one shown before was closed with Escape.
    void chooseLastDrill()
    {
        if (LastDrillWindow* shown = w.frame->lastDrillWindow()) {
            QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
            QCoreApplication::sendEvent(shown, &escape);
            ASSERT_TRUE(runEventsUntil([&] { return !w.frame->lastDrillWindow(); }));
        }
        w.chooseFromMenu("Last Drill ...");
        ASSERT_TRUE(runEventsUntil([&] { return w.frame->lastDrillWindow() != nullptr; }));
    }

    Settings settings;
};

// At 25 cents a note sung 40 cents sharp is held in vain; at 50 it counts.
// The needle shows every block's cents in its grade's colour, and each
// confirmed note keeps its pitch under its column.
TEST_F(IntonationWindowTest, ANoteFortyCentsOffIsRefusedAtTwentyFiveAndAcceptedAtFifty)
{
    w.practice.toleranceCents = 25;
    ASSERT_TRUE(w.start(settings));
    EXPECT_EQ(needlePixels(CentsGrade::Within) + needlePixels(CentsGrade::Off), 0)
        << "the scale alone before anything is sung";

    sing(24, 10);
    EXPECT_GT(needlePixels(CentsGrade::Within), 10);
    sing(24, 10);
    ASSERT_EQ(w.drill().currentNoteIndex(), 1);
    EXPECT_GT(centsPixelsUnder(0, CentsGrade::Within), 5) << "+10 in green under C4";

    for (int block = 0; block < 6; ++block)
        sing(26, 40);
    EXPECT_EQ(w.drill().currentNoteIndex(), 1) << "40 cents is outside 25";
    EXPECT_GT(needlePixels(CentsGrade::Near), 10);

    w.engine->practice.toleranceCents = 50;
    sing(26, 40);
    EXPECT_EQ(w.drill().currentNoteIndex(), 2);
    EXPECT_GT(centsPixelsUnder(1, CentsGrade::Within), 5) << "+40 is within 50";
}

// Sung at sight, only the key's triad and the first note sound before the
// microphone listens; the melody sounds once it has been sung.
TEST_F(IntonationWindowTest, AtSightOnlyTheTriadAndTheFirstNoteSoundBeforeListening)
{
    w.practice.sight = SightMode::TonicOnly;
    ASSERT_TRUE(w.start(settings));
    EXPECT_TRUE(w.device.isOpen());
    EXPECT_EQ(w.noteOns(), (std::vector<int>{60, 64, 67, 60})) << "C E G, then C4";

    for (int note : {24, 24, 26, 26, 28, 28})
        sing(note, 0);
    ASSERT_TRUE(w.drill().finished());
    ASSERT_TRUE(runEventsUntil([&] { return w.noteOns().size() == 7; }));
    EXPECT_EQ(w.noteOns(), (std::vector<int>{60, 64, 67, 60, 60, 62, 64}));
    ASSERT_TRUE(runEventsUntil([&] { return !w.cycle().hearing(); }));
    EXPECT_TRUE(w.device.isOpen()) << "listening again after the melody";
}

TEST_F(IntonationWindowTest, TheLastDrillReportListsEachNotesCentsAndTheDrillsOffset)
{
    ASSERT_TRUE(w.start(settings));
    chooseLastDrill();
    ASSERT_NE(w.frame->lastDrillWindow(), nullptr);
    EXPECT_EQ(w.frame->lastDrillWindow()->page().emptyText, "No drill sung yet.");

    for (double cents : {12.0, 12.0})
        sing(24, cents);
    for (double cents : {-8.0, -8.0})
        sing(26, cents);
    w.cycle().newDrill(); // ends the drill: it is the last one now
    ASSERT_TRUE(w.settle());
    chooseLastDrill();
    LastDrillWindow* report = w.frame->lastDrillWindow();
    ASSERT_NE(report, nullptr);
    const ReportPage& page = report->page();
    ASSERT_EQ(page.rows.size(), 2u) << "the two confirmed notes";
    EXPECT_EQ(page.rows[0][0].text, "C4");
    EXPECT_EQ(page.rows[0][1].text, "+12");
    EXPECT_EQ(page.rows[1][1].text, "-8");
    EXPECT_EQ(page.summary,
              (std::vector<std::string>{"Your own offset: +2 cents over 2 notes.",
                                        "Drift: -20.0 cents a note.",
                                        "Intervals: 10 cents off on average, your offset aside."}));
    EXPECT_EQ(report->backBuffer().height(), reportPageHeight(page));
}

} // namespace
