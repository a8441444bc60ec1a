#include "tests/support/main_window_rig.h"

#include "drill/drill_history.h"
#include "progress/progress_window.h"
#include "render/layout_top.h"
#include "solfara/mic_button_widget.h"
#include "tests/support/menu_action.h"
#include "tests/support/pixel_count.h"

#include <QApplication>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace {

constexpr int L = layoutTop;
// The selector's words, one point inside each band.
constexpr int selectorX = 480, micY = L + 372, pianoY = L + 384, guitarY = L + 396;
// White keys C4 and D4 of the keyboard; the low E and the A string of the fretboard.
constexpr int c4x = 82 + 12 * 14 + 6, d4x = c4x + 12, keyY = 430;
constexpr int e2x = 130, a2x = 250, stringY = 440;

class AnswerControlsTest : public testing::Test {
protected:
    MainWindowRig w;

    AnswerControlsTest() { w.rig.dir.write("mel2.ssc", "Riff,40,45,52\r\n"); }

    AnswerMode mode() { return answerModeOf(w.engine->settings.noteName); }

    void chooseFromMenu(const QString& entry, std::function<void()> then = {})
    {
        w.chooseFromMenu(entry, std::move(then));
    }
    void whenMenuShows(const QString& entry, std::function<void()> then = {})
    {
        w.whenMenuShows(entry, std::move(then));
    }
    void rightClick(int x, int y) { w.rightClick(x, y); }
};

TEST_F(AnswerControlsTest, TheModeSelectorSwitchesTheAnswerMode)
{
    ASSERT_TRUE(w.start());
    MicButtonWidget* mic = w.frame->micButton();
    const auto panelArea = [&] { return w.frame->grab(QRect(82, 396, 336, 43)).toImage(); };
    const QImage noteBoxes = panelArea();

    w.click(selectorX, pianoY);
    EXPECT_EQ(mode(), AnswerMode::Piano);
    EXPECT_FALSE(w.device.isOpen()) << "listening stops";
    EXPECT_FALSE(mic->isHidden());
    EXPECT_TRUE(mic->micOff());
    ASSERT_TRUE(runEventsUntil([&] { return panelArea() != noteBoxes; }))
        << "the keyboard is drawn";

    // The row between two words selects nothing and keeps piano mode.
    w.click(selectorX, L + 390);
    EXPECT_EQ(mode(), AnswerMode::Piano);

    w.click(selectorX, micY);
    EXPECT_EQ(mode(), AnswerMode::Microphone);
    EXPECT_TRUE(w.device.isOpen()) << "listening starts";
    EXPECT_TRUE(mic->isHidden());
    w.hear(24);
    w.hear(24);
    EXPECT_EQ(w.drill().currentNoteIndex(), 1) << "sung notes count again";
}

// Choosing the guitar makes a new melody in the key of the drill; only New, autostart and
// a voice range choose a key.
TEST_F(AnswerControlsTest, ChoosingTheGuitarKeepsTheKeyOfARandomKeyDrill)
{
    Settings s = MainWindowRig::tuneSettings();
    s.scale = 0; // a random key for every new drill
    ASSERT_TRUE(w.start(s));
    w.hear(24);
    w.hear(24);
    const int key = w.drill().keySignature();
    w.click(selectorX, guitarY);
    ASSERT_TRUE(w.settle());
    EXPECT_EQ(w.drill().keySignature(), key);
    EXPECT_EQ(w.drill().currentNoteIndex(), 0) << "a new melody";
}

// A key or string sounds on the press; the drill advances on the release of
// the due note, as it does for a sung one, and not for another note.
TEST_F(AnswerControlsTest, ADrawnInstrumentAnswersOnRelease)
{
    ASSERT_TRUE(w.start());
    struct Step {
        int x, y;
        int noteIndexAfter;
    };
    const struct {
        const char* name;
        int selectorY;
        std::vector<Step> steps;
    } panels[] = {
        {"piano: D4 wrong, C4, D4", pianoY, {{d4x, keyY, 0}, {c4x, keyY, 1}, {d4x, keyY, 2}}},
        {"guitar: A2 wrong, E2, A2",
         guitarY,
         {{a2x, stringY, 0}, {e2x, stringY, 1}, {a2x, stringY, 2}}},
    };
    for (const auto& panel : panels) {
        SCOPED_TRACE(panel.name);
        w.click(selectorX, panel.selectorY);
        ASSERT_TRUE(w.settle());
        ASSERT_TRUE(runEventsUntil([&] { return w.cycle().marker().hidden(); }));
        ASSERT_EQ(w.drill().currentNoteIndex(), 0) << "a fresh drill";
        for (const Step& step : panel.steps) {
            const std::size_t sounded = w.noteOns().size();
            w.mouse(QEvent::MouseButtonPress, step.x, step.y);
            EXPECT_EQ(w.noteOns().size(), sounded + 1) << "sounds on the press";
            EXPECT_EQ(w.drill().currentNoteIndex(),
                      step.noteIndexAfter == 0 ? 0 : step.noteIndexAfter - 1);
            w.mouse(QEvent::MouseButtonRelease, step.x, step.y);
            EXPECT_EQ(w.drill().currentNoteIndex(), step.noteIndexAfter);
        }
    }
}

// A key that is not the due note counts against the note's first try; Restart
// ends the drill as abandoned and records the attempt afresh.
TEST_F(AnswerControlsTest, WrongKeysAndRestartsAreRecorded)
{
    Settings s = MainWindowRig::tuneSettings();
    s.noteName = noteNameOf(AnswerMode::Piano);
    s.autostart = 0;
    ASSERT_TRUE(w.start(s));
    for (int x : {d4x, c4x, d4x, c4x}) // D4 wrong, C4, D4, then C4 wrong for E4
        w.click(x, keyY);
    w.click(298 + 48, L + 429 + 14); // Restart
    for (int x : {c4x, d4x, c4x + 24})
        w.click(x, keyY);
    ASSERT_EQ(w.drillLog.drills.size(), 2u);
    const DrillRecord& first = w.drillLog.drills[0];
    EXPECT_FALSE(first.finished);
    EXPECT_EQ(first.answerMode, "piano");
    EXPECT_EQ(first.notes[0].wrongPresses, 1);
    EXPECT_FALSE(first.notes[0].firstTry);
    EXPECT_TRUE(first.notes[1].firstTry);
    EXPECT_FALSE(first.notes[2].accepted);
    EXPECT_EQ(first.notes[2].wrongPresses, 1);
    const DrillRecord& again = w.drillLog.drills[1];
    EXPECT_TRUE(again.finished);
    EXPECT_TRUE(again.notes[0].firstTry && again.notes[1].firstTry && again.notes[2].firstTry);

    // A drill begun singing and ended on the keyboard counts as answered there.
    w.click(selectorX, micY);
    w.click(104 + 48, L + 429 + 14); // New
    ASSERT_TRUE(w.settle());
    w.hear(24);
    w.hear(24);
    w.click(selectorX, pianoY);
    ASSERT_TRUE(w.settle());
    w.frame->close();
    ASSERT_EQ(w.drillLog.drills.size(), 3u);
    EXPECT_EQ(w.drillLog.drills[2].answerMode, "piano");
}

// "Progress ..." shows the history of the data directory at the window's scale.
TEST_F(AnswerControlsTest, ProgressShowsTheHistoryAtTheWindowsScale)
{
    DrillRecord drill;
    drill.finished = true;
    drill.notes = {NoteRecord{.accepted = true, .firstTry = true, .msToAccept = 900}};
    ASSERT_TRUE(DrillHistory(w.rig.dir.path()).append(drill, std::chrono::system_clock::now()));
    ASSERT_TRUE(w.start());
    w.frame->setScale(2);
    chooseFromMenu("Progress ...");
    ProgressWindow* progress = w.frame->progressWindow();
    ASSERT_NE(progress, nullptr);
    EXPECT_TRUE(progress->isVisible());
    EXPECT_EQ(progress->backBuffer().size(), kProgressPageSize);
    EXPECT_EQ(progress->scale(), 2);
    ASSERT_EQ(progress->page().charts.size(), 4u);
    EXPECT_EQ(progress->page().charts[0].figure, "1 (1 finished)");
    EXPECT_EQ(progress->page().charts[1].figure, "100 %");
}

// Every note answered on the keyboard is written where the due note belongs: what the
// answers left on the answer staff is what a full repaint of the answered drill draws.
TEST_F(AnswerControlsTest, ClickedAnswersAreWrittenWhereTheirNotesBelong)
{
    w.rig.dir.write("mel.ssc", "Steps,60,62,66,64,67\r\n");
    Settings s = MainWindowRig::tuneSettings();
    s.noteName = noteNameOf(AnswerMode::Piano);
    s.autostart = 0;
    ASSERT_TRUE(w.start(s));
    const auto answerStaff = [&] { return w.frame->canvas().image().copy(60, L + 190, 200, 150); };
    const auto whiteKey = [](int i) { return QPoint(82 + 12 * i + 6, keyY); };
    const QPoint c4 = whiteKey(14), d4 = whiteKey(15), e4 = whiteKey(16), g4 = whiteKey(18);
    const QPoint fSharp4(82 + 12 * 18 - 1, 400); // the black key's part left of G
    for (int round = 0; round < 2; ++round) {    // the second after Restart
        SCOPED_TRACE(round ? "after Restart" : "first drill");
        for (const QPoint key : {c4, d4, fSharp4, e4, g4})
            w.click(key.x(), key.y());
        ASSERT_TRUE(w.drill().finished());
        const QImage answered = answerStaff();
        w.frame->invalidate();
        ASSERT_TRUE(runEventsUntil([&] { return w.cycle().marker().hidden(); }));
        EXPECT_EQ(firstDifference(answerStaff(), answered), "");
        w.click(298 + 48, L + 429 + 14); // Restart
        ASSERT_EQ(w.drill().currentNoteIndex(), 0);
    }
}

TEST_F(AnswerControlsTest, MenuCommandsChangeTheDrill)
{
    std::vector<int> sheetOpenedOn;
    w.openSettingsSheet = [&](const SheetHost& host) {
        sheetOpenedOn.push_back(host.initialTab);
        return SheetOutcome::Cancelled;
    };
    ASSERT_TRUE(w.start());
    w.hear(24);
    w.hear(24);
    ASSERT_EQ(w.drill().currentNoteIndex(), 1);

    const int notation = w.engine->settings.notation;
    chooseFromMenu("Do-Re-Mi Notation");
    EXPECT_EQ(w.engine->settings.notation, 1 - notation);
    EXPECT_EQ(w.engine->noteNames, notation ? &letterNoteNames() : &solfegeNoteNames());
    ASSERT_TRUE(runEventsUntil([&] { return w.cycle().marker().hidden(); }));
    EXPECT_EQ(w.drill().currentNoteIndex(), 1) << "the same drill, redrawn";

    chooseFromMenu("Bass");
    EXPECT_EQ(w.engine->settings.range, 5);
    ASSERT_TRUE(w.settle());
    EXPECT_EQ(w.drill().currentNoteIndex(), 0) << "a new drill at once";

    chooseFromMenu("Microphone Setup ...");
    EXPECT_EQ(sheetOpenedOn, (std::vector<int>{3})) << "the sheet opens on its sound page";
    EXPECT_TRUE(w.cycle().blinkTimerRunning()) << "the note cursor goes on blinking";

    // "Select This Custom Melody...": the second line of the melody file.
    w.rig.dir.write("mel.ssc", "Tune,60,62,64\r\nOther,67,65\r\n");
    chooseFromMenu("Select This Custom Melody...", [] {
        auto* dialog = QApplication::activeModalWidget();
        ASSERT_TRUE(dialog);
        auto* list = dialog->findChild<QListWidget*>();
        ASSERT_EQ(list->count(), 2);
        list->setCurrentRow(1);
        for (QPushButton* b : dialog->findChildren<QPushButton*>())
            if (b->text() == "OK")
                b->click();
    });
    EXPECT_EQ(w.engine->settings.drilltype, 3);
    EXPECT_EQ(w.engine->settings.custMelody, 1);
    ASSERT_TRUE(runEventsUntil([&] { return w.drill().noteCount() == 2; }));
}

// "Window Size" shows the window at the size chosen at once and remembers the choice;
// "Automatic" forgets it. The window stays whole on the screen.
TEST_F(AnswerControlsTest, WindowSizeFromTheMenuIsRemembered)
{
    ASSERT_TRUE(w.start());
    // The test screen (800 x 600) has no room for twice the window: it is lowered to fit.
    chooseFromMenu("2×");
    EXPECT_EQ(w.windowSize.load(), 2);
    EXPECT_EQ(w.frame->scale(), w.frame->screen()->size().height() >= 2 * 494 ? 2 : 1);
    const QRect screen = w.frame->screen()->availableGeometry();
    EXPECT_TRUE(screen.contains(w.frame->geometry().topLeft()));
    chooseFromMenu("Automatic");
    EXPECT_EQ(w.windowSize.load(), std::nullopt);
    EXPECT_EQ(w.frame->size(), QSize(502, 494) * w.frame->scale());
}

TEST_F(AnswerControlsTest, ThePopupMenuOpensOnlyOnTheStaff)
{
    ASSERT_TRUE(w.start());
    int shown = 0;
    auto countAndDismiss = [&] {
        QTimer::singleShot(0, [&] {
            if (QWidget* menu = QApplication::activePopupWidget()) {
                ++shown;
                menu->close();
            }
        });
    };
    const Settings before = w.engine->settings;
    countAndDismiss();
    w.click(250, L + 100);
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(w.engine->settings, before) << "a menu closed without a choice changes nothing";
    countAndDismiss();
    w.click(250, L + 100); // the press that dismissed the menu
    EXPECT_EQ(shown, 1);
    countAndDismiss();
    w.click(250, L + 100);
    EXPECT_EQ(shown, 2);
    countAndDismiss();
    w.click(250, L + 300); // below the staff area: the note boxes' row, no menu
    EXPECT_EQ(shown, 2);
    countAndDismiss();
    rightClick(250, L - 10); // the title strip is the window's caption: no menu there
    EXPECT_EQ(shown, 2);
    countAndDismiss();
    rightClick(250, 200);
    EXPECT_EQ(shown, 3);
}

} // namespace
