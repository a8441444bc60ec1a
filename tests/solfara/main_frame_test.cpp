#include "tests/support/main_window_rig.h"

#include "render/layout_top.h"
#include "solfara/mic_button_widget.h"
#include "tests/support/pixel_count.h"

#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QTextBrowser>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr int L = layoutTop;
const gdi::Colour navy = gdi::rgb(0, 0, 128);

class MainFrameTest : public testing::Test {
protected:
    MainWindowRig w;

    int blackIn(int x, int y, int width, int height)
    {
        return countPixels(w.dc(), x, y, width, height, gdi::black);
    }
    void releaseSpace()
    {
        QKeyEvent event(QEvent::KeyRelease, Qt::Key_Space, Qt::NoModifier, " ");
        QCoreApplication::sendEvent(w.frame.get(), &event);
    }
};

// The window opens at its size and place, plays the first melody while it is
// drawn, and only then listens, with the cursor blinking under the due note.
TEST_F(MainFrameTest, StartUpPlaysTheFirstMelodyBeforeListening)
{
    ASSERT_TRUE(w.start());
    EXPECT_EQ(w.frame->windowTitle(), "Solfara 2.5");
    EXPECT_EQ(w.frame->size(), QSize(502, 494));
    EXPECT_TRUE(w.frame->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(CMainFrame::placement({1024, 768}), QPoint(262, 194));
    EXPECT_EQ(w.frame->micButton()->focusPolicy(), Qt::NoFocus);

    EXPECT_EQ(w.noteOns(), (std::vector<int>{60, 62, 64}));
    // Once the melody is drawn its timbre is set on channel 13 as well.
    EXPECT_EQ(w.sent(0xCC), std::vector<int>{w.engine->settings.miditimbre});
    ASSERT_FALSE(w.device.queuedLengths.empty());
    EXPECT_EQ(w.device.queuedLengths.front(), 2048u);
    EXPECT_EQ(w.drill().noteCount(), 3);
    EXPECT_EQ(w.drill().currentNoteIndex(), 0);
    // Notes on the melody staff: column 0 of C major at x 78, C4 (step 14) stem up.
    EXPECT_GT(blackIn(78, 181 + L - 42 - 20, 10, 27), 10);

    EXPECT_TRUE(w.cycle().blinkTimerRunning());
    const int x = w.cycle().marker().x - 8;
    w.cycle().blink();
    EXPECT_EQ(w.dc().pixel(x, 368), navy);
    w.cycle().blink();
    EXPECT_EQ(countPixels(w.dc(), x, 368, 1, 17, navy), 0);
}

TEST_F(MainFrameTest, WholeDrillSungBlockByBlockEndsFinishedWithoutAutostart)
{
    Settings s = MainWindowRig::tuneSettings();
    s.autostart = 0;
    ASSERT_TRUE(w.start(s));
    const int firstX = w.cycle().layout().firstNoteX;
    const int markerY = 324 + L - 3 * 14;                         // the answer staff, C4 at step 14
    const int emptyStaff = blackIn(firstX, markerY - 20, 10, 27); // its lines only

    // Note 0 with cycles 1 (the matching rule itself is the drill's own test).
    w.hear(24);
    EXPECT_EQ(w.cycle().marker().x, firstX);
    EXPECT_EQ(w.cycle().marker().y, markerY);
    EXPECT_GT(blackIn(firstX, markerY, 10, 7), 5) << "the marker head";
    EXPECT_EQ(w.drill().currentNoteIndex(), 0);
    w.hear(24); // the second match in a row
    EXPECT_EQ(w.drill().currentNoteIndex(), 1);
    EXPECT_EQ(w.cycle().marker().x, firstX + 30);
    // The confirmed note: stem up from the marker's place (y > 291).
    EXPECT_GT(blackIn(firstX, markerY - 20, 10, 27), blackIn(firstX, markerY, 10, 7));

    for (int note : {26, 26, 28, -1, 28})
        w.hear(note);
    EXPECT_TRUE(w.drill().finished());
    EXPECT_FALSE(w.cycle().blinkTimerRunning());
    EXPECT_EQ(w.cycle().marker().x, firstX + 60 + 730);
    w.hear(28);
    w.hear(28);
    EXPECT_EQ(w.drill().currentNoteIndex(), 3);

    // Restart after the end: the same melody from note 0, the cursor still resting.
    w.click(298 + 48, L + 429 + 14);
    EXPECT_EQ(w.drill().currentNoteIndex(), 0);
    EXPECT_EQ(w.cycle().marker().x, firstX);
    EXPECT_FALSE(w.cycle().blinkTimerRunning());
    EXPECT_EQ(blackIn(firstX, markerY - 20, 10, 27), emptyStaff)
        << "the answer staff is empty again";
}

// Each drill that ends is recorded: sung to its end, replaced by "New", or
// left when the window closes; one in which nothing was sung is not.
TEST_F(MainFrameTest, EveryEndedDrillIsRecordedWithHowItsNotesWent)
{
    Settings s = MainWindowRig::tuneSettings();
    s.autostart = 0;
    ASSERT_TRUE(w.start(s));
    w.clock.advance(1500);
    for (int note : {24, 24})
        w.hear(note);
    w.clock.advance(700);
    for (int note : {28, 28, 26, 26}) // E4 held before the due D4
        w.hear(note);
    for (int note : {40, 28, 28}) // E5: the octave, once
        w.hear(note);
    ASSERT_EQ(w.drillLog.drills.size(), 1u);
    const DrillRecord& sung = w.drillLog.drills[0];
    EXPECT_TRUE(sung.finished);
    EXPECT_EQ(sung.answerMode, "microphone");
    EXPECT_EQ(sung.source, "Tune");
    EXPECT_EQ(sung.durationMs, 2200u);
    ASSERT_EQ(sung.notes.size(), 3u);
    EXPECT_EQ(sung.notes[0].msToAccept, 1500u);
    EXPECT_TRUE(sung.notes[0].firstTry);
    EXPECT_EQ(sung.notes[1].msToAccept, 700u);
    EXPECT_FALSE(sung.notes[1].firstTry);
    EXPECT_EQ(sung.notes[1].wrongBlocks, 2);
    EXPECT_TRUE(sung.notes[2].firstTry);
    EXPECT_EQ(sung.notes[2].octaveBlocks, 1);
    EXPECT_EQ(sung.notes[2].interval, 2);

    const int newX = 104 + 48, newY = L + 429 + 14;
    w.click(newX, newY); // a finished drill is not recorded twice
    ASSERT_TRUE(w.settle());
    w.click(newX, newY); // nothing sung: no record
    ASSERT_TRUE(w.settle());
    EXPECT_EQ(w.drillLog.drills.size(), 1u);
    w.hear(24);
    w.hear(24);
    w.frame->close();
    ASSERT_EQ(w.drillLog.drills.size(), 2u);
    EXPECT_FALSE(w.drillLog.drills[1].finished);
    EXPECT_TRUE(w.drillLog.drills[1].notes[0].accepted);
    EXPECT_FALSE(w.drillLog.drills[1].notes[1].accepted);
}

// A sung C4 whose second partial is three times as strong as the
// fundamental: the Classic detector hears C5 and the drill waits, the Precise
// one hears C4 on 1024-sample blocks and the drill moves on.
TEST_F(MainFrameTest, TheDrillListensThroughTheChosenDetector)
{
    const auto brightC4 = [](int length) {
        const double f = noteFrequency(24);
        std::vector<std::uint8_t> block;
        for (int i = 0; i < length; ++i) {
            const double t = i / 11025.0;
            const double wave = 0.3 * std::sin(2 * std::numbers::pi * f * t) +
                                std::sin(2 * std::numbers::pi * 2 * f * t);
            block.push_back(std::uint8_t(128 + std::lround(75 * wave)));
        }
        return block;
    };
    for (DetectorKind kind : allDetectorKinds) {
        SCOPED_TRACE(std::string(detectorKeyword(kind)));
        MainWindowRig rig;
        rig.detector.select(kind);
        ASSERT_TRUE(rig.start());
        for (int i = 0; i < 3; ++i)
            rig.hear(brightC4(rig.queuedLength()));
        const bool precise = kind == DetectorKind::Precise;
        EXPECT_EQ(rig.drill().currentNoteIndex(), precise ? 1 : 0);
        EXPECT_EQ(rig.device.queuedLengths.front(), precise ? 1024u : 2048u);
    }
}

// While the intro runs only a left press counts: it skips the flight, and
// the first drill follows the intro's notes.
TEST_F(MainFrameTest, OnlyALeftClickSkipsTheIntro)
{
    w.intro = IntroTiming{.frameMs = 20, .holdStepMs = 100, .releaseMs = 20};
    w.open();
    ASSERT_TRUE(runEventsUntil([&] { return w.frame->introRunning(); }));
    int menus = 0;
    QTimer closeMenus;
    QObject::connect(&closeMenus, &QTimer::timeout, [&] {
        if (QWidget* menu = QApplication::activePopupWidget()) {
            ++menus;
            menu->close();
        }
    });
    closeMenus.start(5);

    w.mouse(QEvent::MouseButtonPress, 250, 200, Qt::RightButton);
    w.mouse(QEvent::MouseButtonRelease, 250, 200, Qt::RightButton);
    w.mouse(QEvent::MouseButtonDblClick, 250, 200);
    releaseSpace();
    QCoreApplication::processEvents();
    EXPECT_TRUE(w.frame->introRunning());
    EXPECT_FALSE(w.drill().skipRequest());
    EXPECT_FALSE(w.frame->started());

    w.click(480, L + 384); // on "piano": the click skips the intro and chooses nothing
    ASSERT_TRUE(w.settle());
    EXPECT_LT(w.frame->framesDrawn(), IntroSequence::frameCount) << "the flight was cut short";
    const std::vector<int> notes = w.noteOns();
    ASSERT_GE(notes.size(), 4u);
    EXPECT_EQ(notes.front(), IntroSequence::flightKeys[0]);
    EXPECT_EQ(std::vector<int>(notes.end() - 3, notes.end()), (std::vector<int>{60, 62, 64}));
    EXPECT_EQ(std::count(notes.begin(), notes.end(), IntroSequence::bannerKey), 0)
        << "no banner after a skip";
    EXPECT_EQ(menus, 0);
    EXPECT_EQ(w.engine->settings.noteName, 2);
}

TEST_F(MainFrameTest, ClosingDuringTheIntroStartsNoDrill)
{
    w.intro = IntroTiming{.frameMs = 5, .holdStepMs = 5, .releaseMs = 5};
    w.open();
    ASSERT_TRUE(runEventsUntil([&] { return w.frame->introRunning(); }));
    w.frame->close();
    EXPECT_FALSE(w.frame->introRunning());
    runEventsUntil([] { return false; }, std::chrono::milliseconds(200)); // the intro's length
    EXPECT_FALSE(w.frame->started());
    EXPECT_EQ(w.device.opens, 0) << "no listening after the window closed";
    EXPECT_TRUE(w.engine->released());
}

TEST_F(MainFrameTest, SpaceBarInSilenceAcceptsTheDueNote)
{
    ASSERT_TRUE(w.start());
    const int x = w.cycle().layout().firstNoteX;
    w.hear(24);
    const int y = w.cycle().marker().y;
    for (int i = 0; i < 4; ++i)
        w.hear(-1);
    EXPECT_GT(blackIn(x, y, 10, 7), 5) << "four silent blocks leave the marker";
    w.hear(-1);
    EXPECT_EQ(blackIn(x, y + 1, 10, 5), 0) << "the fifth erases it (staff lines aside)";

    releaseSpace();
    w.hear(-1);
    EXPECT_EQ(w.drill().currentNoteIndex(), 1);
    QKeyEvent repeat(QEvent::KeyRelease, Qt::Key_Space, Qt::NoModifier, " ", true);
    QCoreApplication::sendEvent(w.frame.get(), &repeat);
    EXPECT_FALSE(w.drill().skipRequest()) << "held-key repeats are ignored";
}

TEST_F(MainFrameTest, AutostartShowsTheBannerThenANewDrillInANewKey)
{
    Settings s = MainWindowRig::tuneSettings();
    s.scale = 0;
    ASSERT_TRUE(w.start(s));
    EXPECT_EQ(w.drill().keySignature(), 1); // the first drill keeps the loaded key
    for (int note : {24, 24, 26, 26, 28})
        w.hear(note);
    const std::size_t blocksBefore = w.device.queuedLengths.size();
    w.hear(28);
    ASSERT_TRUE(w.cycle().busy()) << "the banner shows";
    // The lettering is XORed onto the banner's fill.
    const gdi::Colour fill = fillColours()[colour::panel];
    EXPECT_GT(countPixels(w.dc(), 40, L + 20, 400, 35, fill), 5000);
    EXPECT_GT(400 * 35 - countPixels(w.dc(), 40, L + 20, 400, 35, fill), 100);
    w.hear(30); // not judged while the banner shows
    EXPECT_EQ(w.device.queuedLengths.size(), blocksBefore + 2);
    ASSERT_TRUE(w.settle());
    EXPECT_EQ(w.drill().currentNoteIndex(), 0);
    EXPECT_EQ(w.drill().keySignature(), 14);
    EXPECT_TRUE(w.cycle().marker().hidden());
    EXPECT_TRUE(w.cycle().blinkTimerRunning());
}

TEST_F(MainFrameTest, AThirteenNoteMelodyEndsCleanly)
{
    w.rig.dir.write("mel.ssc", "Long,60,62,64,65,67,69,71,72,71,69,67,65,64\r\n");
    Settings s = MainWindowRig::tuneSettings();
    s.autostart = 0;
    ASSERT_TRUE(w.start(s));
    ASSERT_EQ(w.drill().noteCount(), 13);
    const NoteBox last = w.cycle().layout().noteBoxes[12];
    EXPECT_EQ(w.dc().pixel(last.left + 15, last.top + 11), fillColours()[colour::noteBoxFace]);
    for (int n = 0; n < 13; ++n) {
        releaseSpace();
        w.hear(-1);
    }
    EXPECT_TRUE(w.drill().finished());
    releaseSpace();
    w.hear(-1);
    w.hear(24);
    EXPECT_EQ(w.drill().currentNoteIndex(), 13);
    EXPECT_EQ(w.drill().melody().noteIndex[12], 28) << "the last note is left as it was";
}

// OK on the sheet after a 13-note drill: the new drill's staff is drawn for `melosize`
// notes, so no empty 13th box stays.
TEST_F(MainFrameTest, AfterOkNoEmptyThirteenthBoxRemains)
{
    w.rig.dir.write("mel.ssc", "Long,60,62,64,65,67,69,71,72,71,69,67,65,64\r\n");
    w.openSettingsSheet = [&](const SheetHost&) {
        w.engine->settings.drilltype = 1; // composed melodies of `melosize` notes
        w.engine->settings.melosize = 5;
        return SheetOutcome::Confirmed;
    };
    ASSERT_TRUE(w.start());
    ASSERT_EQ(w.drill().noteCount(), 13);
    w.click(27 + 34, L + 429 + 14); // Settings
    ASSERT_TRUE(runEventsUntil([&] { return !w.drill().melody().isCustom; }));
    ASSERT_TRUE(w.settle());
    const NoteBox last = w.cycle().layout().noteBoxes[12];
    EXPECT_NE(w.dc().pixel(last.left + 15, last.top + 11), fillColours()[colour::noteBoxFace]);
}

// Capture stops while a note box or the Hear button sounds, and listening resumes after.
TEST_F(MainFrameTest, CaptureRestsWhilePlaybackSounds)
{
    ASSERT_TRUE(w.start());
    const NoteBox box = w.cycle().layout().noteBoxes[1];
    w.mouse(QEvent::MouseButtonPress, box.left + 15, box.top + 11);
    EXPECT_EQ(w.noteOns().back(), 62);
    EXPECT_FALSE(w.device.isOpen());
    w.mouse(QEvent::MouseButtonRelease, box.left + 15, box.top + 11);
    EXPECT_EQ(w.sent(0x80).back(), 62) << "the release stops the note on channel 1";
    EXPECT_EQ(w.sent(0x8C).back(), 62) << "and on channel 13";
    EXPECT_TRUE(w.device.isOpen());
    EXPECT_EQ(w.drill().currentNoteIndex(), 0);

    // A second press on Hear stops after the current note.
    const int hearX = 201 + 48, hearY = L + 429 + 14;
    const std::size_t before = w.noteOns().size();
    w.click(hearX, hearY);
    ASSERT_TRUE(w.cycle().hearing());
    EXPECT_FALSE(w.device.isOpen());
    w.click(hearX, hearY);
    ASSERT_TRUE(runEventsUntil([&] { return !w.cycle().hearing(); }));
    EXPECT_EQ(w.noteOns().size(), before + 1);
    EXPECT_TRUE(w.device.isOpen());
}

// A stop press on Hear released after the playback ended (a slow click near a note's end)
// plays nothing again.
TEST_F(MainFrameTest, AStopPressOnHearNeverPlaysTheMelodyAgain)
{
    ASSERT_TRUE(w.start());
    const int hearX = 201 + 48, hearY = L + 429 + 14;
    w.click(hearX, hearY);
    ASSERT_TRUE(w.cycle().hearing());
    w.mouse(QEvent::MouseButtonPress, hearX, hearY);
    ASSERT_TRUE(runEventsUntil([&] { return !w.cycle().hearing(); }));
    const std::size_t played = w.noteOns().size();
    w.mouse(QEvent::MouseButtonRelease, hearX, hearY);
    EXPECT_FALSE(w.cycle().hearing());
    EXPECT_EQ(w.noteOns().size(), played);
}

// While Hear plays the drill takes no input but the stop press: the mic button does not
// switch listening on, a space bar is not remembered, and the cursor rests.
TEST_F(MainFrameTest, InputDuringHearIsDropped)
{
    Settings s = MainWindowRig::tuneSettings();
    s.noteName = noteNameOf(AnswerMode::Piano);
    ASSERT_TRUE(w.start(s));
    MicButtonWidget* mic = w.frame->micButton();
    w.click(201 + 48, L + 429 + 14);
    ASSERT_TRUE(w.cycle().hearing());
    EXPECT_FALSE(w.cycle().blinkTimerRunning());
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent event(type, QPointF(13, 12), mic->mapToGlobal(QPointF(13, 12)), Qt::LeftButton,
                          type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(mic, &event);
    }
    EXPECT_TRUE(mic->micOff());
    releaseSpace();
    EXPECT_FALSE(w.drill().skipRequest());
    ASSERT_TRUE(runEventsUntil([&] { return !w.cycle().hearing(); }));
    EXPECT_TRUE(w.cycle().blinkTimerRunning());
    EXPECT_FALSE(w.device.isOpen()) << "piano mode with the microphone off stays off";
}

// A new melody drawn in the middle of a drill (New here; a range or melody-source choice
// and the sheet's OK draw it the same way) leaves no cursor under the old column.
TEST_F(MainFrameTest, ANewMelodyLeavesNoStrayCursor)
{
    ASSERT_TRUE(w.start());
    w.hear(24);
    w.hear(24);
    const int oldCursorX = w.cycle().marker().x - 8;
    w.cycle().blink();
    ASSERT_EQ(w.dc().pixel(oldCursorX, 368), navy);
    w.click(104 + 48, L + 429 + 14); // New
    EXPECT_FALSE(w.cycle().blinkTimerRunning());
    EXPECT_EQ(countPixels(w.dc(), oldCursorX, 368, 1, 17, navy), 0);
    ASSERT_TRUE(w.settle());
    EXPECT_TRUE(w.cycle().blinkTimerRunning());
    EXPECT_EQ(w.cycle().marker().x, w.cycle().layout().firstNoteX);
    EXPECT_EQ(countPixels(w.dc(), oldCursorX, 368, 1, 17, navy), 0);
}

TEST_F(MainFrameTest, ButtonActsOnlyWhenReleasedOverIt)
{
    ASSERT_TRUE(w.start());
    const int newX = 104 + 48, newY = L + 429 + 14;
    w.hear(24);
    w.hear(24);
    ASSERT_EQ(w.drill().currentNoteIndex(), 1);
    w.mouse(QEvent::MouseButtonPress, newX, newY);
    w.mouse(QEvent::MouseMove, newX, 300);
    w.mouse(QEvent::MouseButtonRelease, newX, 300);
    EXPECT_EQ(w.drill().currentNoteIndex(), 1) << "released outside: nothing";

    w.mouse(QEvent::MouseButtonPress, newX, newY);
    w.mouse(QEvent::MouseMove, newX, 300);
    w.mouse(QEvent::MouseMove, newX, newY);
    w.mouse(QEvent::MouseButtonRelease, newX, newY);
    EXPECT_EQ(w.drill().currentNoteIndex(), 0) << "back over it: a new drill";

    w.mouse(QEvent::MouseButtonPress, 104, newY); // on the edge: a miss
    EXPECT_EQ(w.frame->buttons().newButton.pressed, 0);
}

TEST_F(MainFrameTest, TheMicButtonSwitchesListeningInPianoMode)
{
    Settings s = MainWindowRig::tuneSettings();
    s.noteName = 0;
    ASSERT_TRUE(w.start(s));
    MicButtonWidget* mic = w.frame->micButton();
    ASSERT_TRUE(mic->micOff()) << "piano mode starts with listening off";
    auto click = [&] {
        for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            QMouseEvent event(
                type, QPointF(13, 12), mic->mapToGlobal(QPointF(13, 12)), Qt::LeftButton,
                type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
            QCoreApplication::sendEvent(mic, &event);
        }
    };
    click();
    EXPECT_FALSE(mic->micOff());
    EXPECT_TRUE(w.device.isOpen());
    w.hear(24);
    const PitchMarker marker = w.cycle().marker();
    EXPECT_GT(blackIn(marker.x, marker.y, 10, 7), 5);
    click();
    EXPECT_TRUE(mic->micOff());
    EXPECT_FALSE(w.device.isOpen());
    EXPECT_EQ(blackIn(marker.x, marker.y + 1, 10, 5), 0) << "the marker column is blanked";
}

// At scale 2 the mic button covers its drawn place, blown up like the rest of the window.
TEST_F(MainFrameTest, TheMicButtonFollowsTheWindowsScale)
{
    Settings s = MainWindowRig::tuneSettings();
    s.noteName = noteNameOf(AnswerMode::Piano);
    ASSERT_TRUE(w.start(s));
    MicButtonWidget* mic = w.frame->micButton();
    const QImage unscaled = mic->grab().toImage().convertToFormat(QImage::Format_RGB32);
    w.frame->setScale(2);
    const QRect place = MicButtonWidget::drawnPlace;
    EXPECT_EQ(mic->geometry(), QRect(place.topLeft() * 2, place.size() * 2));
    const QImage scaled = mic->grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(scaled, unscaled.scaled(unscaled.size() * 2));
}

TEST_F(MainFrameTest, HelpOpensTheTrainersOwnPage)
{
    ASSERT_TRUE(w.start());
    w.click(403 + 34, L + 429 + 14);
    auto* help = w.frame->findChild<QTextBrowser*>();
    ASSERT_TRUE(help);
    EXPECT_TRUE(help->isVisible());
    const QString text = help->toPlainText();
    for (const char* topic : {"Hear", "Restart", "space bar", "piano", "guitar", "microphone"})
        EXPECT_TRUE(text.contains(topic)) << topic;
}

TEST_F(MainFrameTest, FullRepaintRedrawsTheDrillOrStartsANewOneWhenTold)
{
    ASSERT_TRUE(w.start());
    w.hear(24);
    w.hear(24);
    const PitchMarker answered = w.cycle().marker();
    const int confirmedNote = blackIn(answered.x, answered.y - 20, 10, 27);
    const std::size_t noteOns = w.noteOns().size();

    w.frame->invalidate();
    ASSERT_TRUE(runEventsUntil([&] { return w.cycle().marker().hidden(); }));
    EXPECT_EQ(w.drill().currentNoteIndex(), 1);
    EXPECT_EQ(blackIn(answered.x, answered.y - 20, 10, 27), confirmedNote);

    w.cycle().keepMelodyOnRepaint = false;
    w.frame->invalidate();
    ASSERT_TRUE(runEventsUntil([&] { return w.cycle().keepMelodyOnRepaint; }));
    ASSERT_TRUE(w.settle());
    EXPECT_EQ(w.drill().currentNoteIndex(), 0);
    EXPECT_EQ(w.noteOns().size(), noteOns) << "only the first melody sounds while drawn";
}

// A termination signal while the sheet is open closes the sheet as Cancel first; the
// program then saves what the drill had and ends, and nothing is changed after the save.
TEST_F(MainFrameTest, EndingWhileTheSheetIsOpenCancelsTheSheetFirst)
{
    bool sheetEnded = false;
    w.openSettingsSheet = [&](const SheetHost& host) {
        QDialog sheet(&host.owner);
        QTimer::singleShot(0, [&] { w.frame->endForTermination(); });
        QTimer::singleShot(3000, &sheet, &QDialog::accept); // only if the ending left it open
        const bool accepted = sheet.exec() == QDialog::Accepted;
        sheetEnded = true;
        if (accepted)
            w.engine->settings.melosize = 11; // what the user would change afterwards
        return accepted ? SheetOutcome::Confirmed : SheetOutcome::Cancelled;
    };
    ASSERT_TRUE(w.start());
    w.click(27 + 34, L + 429 + 14); // Settings
    EXPECT_TRUE(sheetEnded);
    EXPECT_TRUE(w.engine->released());
    EXPECT_EQ(w.engine->settings.melosize, MainWindowRig::tuneSettings().melosize);
}

TEST_F(MainFrameTest, ClosingSavesOnce)
{
    ASSERT_TRUE(w.start());
    w.engine->settings.melosize = 4;
    EXPECT_TRUE(w.frame->close());
    EXPECT_TRUE(w.engine->released());
    EXPECT_FALSE(w.device.isOpen());
    EXPECT_NE(w.rig.dir.read(kSettingsFileName).find("\r\nmelosize=4\r\n"), std::string::npos);
}

} // namespace
