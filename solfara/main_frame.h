#pragma once

#include "platform/gdi/back_buffered_widget.h"
#include "render/colours.h"
#include "render/main_window_paint.h"
#include "render/mode_selector.h"
#include "render/note_bitmaps.h"
#include "solfara/answer_panels.h"
#include "solfara/drill_cycle.h"
#include "solfara/main_frame_services.h"
#include "solfara/popup_menu.h"

#include <QCursor>

#include <memory>
#include <optional>

class DrillEngine;
class HelpWindow;
class LastDrillWindow;
class ProgressWindow;
class MicButtonWidget;

// The trainer's main window: a frameless window that draws its own title
// strip, buttons and staves, runs the drill, and when it is closed by
// whatever means, stops listening and runs the engine's save-and-release.
class CMainFrame : public gdi::BackBufferedWidget {
    Q_OBJECT
public:
    static constexpr int borderWidth = 1;
    static constexpr int clientWidth = 500 + 2 * borderWidth;
    static constexpr int clientHeight = 494;

    CMainFrame(DrillEngine& engine, const MainFrameServices& services, QWidget* parent = nullptr);
    ~CMainFrame() override;

    // Where the window goes on a screen of that size.
    static QPoint placement(QSize screen);

    // "Microphone Setup ..." with the microphone check under way at once.
    void openMicrophoneCheck();

    DrillCycle& drill() { return cycle_; }
    const MainButtons& buttons() const { return buttons_; }
    // Which control the left button is engaged with (0: none).
    int controlState() const { return controlState_; }
    // The first drill has been drawn, played and capture started.
    bool started() const { return started_; }
    // The intro is on screen; every input but a left press is dropped.
    bool introRunning() const { return intro_ && intro_->isRunning(); }
    // Frames of the intro's flight drawn (0 without an intro).
    int framesDrawn() const { return intro_ ? intro_->framesDrawn() : 0; }
    MicButtonWidget* micButton() const { return micButton_; }
    // The Progress window, once "Progress ..." opened it.
    ProgressWindow* progressWindow() const { return progress_; }
    // The "Last Drill ..." report, while it shows.
    LastDrillWindow* lastDrillWindow() const;
    // A termination signal: a modal window (the settings sheet, a message box) closes as
    // Cancel first, so that nothing changed in it afterwards is lost; then the window
    // closes, which saves and ends the drill.
    void endForTermination();
    // Places the window by the rule for its drawn size, at its current scale.
    void placeOnScreen();

protected:
    // Draws the window into its back buffer. The first paint shows the
    // background and hands over to start-up; later full paints redraw every
    // part in a fixed order.
    void paintWindow(gdi::Canvas& dc) override;
    void closeEvent(QCloseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void showLastDrill();
    void startUp();
    void afterIntro();
    void paintCommon(gdi::Canvas& dc, bool firstPaint);

    void pressAt(int x, int y);
    void moveTo(int x, int y);
    void releaseLeft();
    bool inDragStrip(int x, int y) const;
    void clearPressedButtons();
    PushButton& bottomButton(int state);
    void releaseButtonLook(PushButton& button, std::string_view label, int labelColour);
    bool pressPanelOrSelector(int x, int y);
    void chooseMode(ModeBand band);
    void movePanelOrSelector(int x, int y);
    void showPanelCursor(PanelCursor cursor);
    PanelContext panelContext() const;
    void openPopupMenu(int x, int y);
    void carryOut(const MenuOutcome& outcome);
    // "Window Size": the window at that size (automatic when empty), remembered.
    void resizeTo(WindowSize size);
    // The settings sheet on page `initialSheetTab`; the menu's "Microphone
    // Setup ..." leaves the note cursor blinking.
    void openSettings(bool keepBlinking = false, bool startMicrophoneCheck = false);
    void openHelp();
    void toggleMicrophone();

    DrillEngine& engine_;
    MainFrameServices services_;
    ColourTable colours_ = fillColours();
    NoteBitmaps bitmaps_ = loadNoteBitmaps();
    MainButtons buttons_;
    AnswerPanels panels_;
    DrillCycle cycle_;
    PopupMenuLatch menuLatch_;

    // The window's own view state.
    bool firstPaint_ = true;
    bool started_ = false;
    int controlState_ = 0;
    int clickedNoteBox_ = -1;
    bool destroyed_ = false;
    int initialSheetTab_ = kGeneralSheetTab; // the page the settings sheet opens on next
    std::optional<QPoint> dragOffset_;       // dragging by the title strip ourselves
    QCursor arrowCursor_{Qt::ArrowCursor};
    QCursor handCursor_;
    QCursor keyboardCursor_;
    QCursor pressedKeyCursor_;
    MicButtonWidget* micButton_ = nullptr;
    HelpWindow* help_ = nullptr;
    ProgressWindow* progress_ = nullptr;
    QPointer<LastDrillWindow> lastDrill_; // deletes itself when closed
    // The intro of the first paint; it runs before the first drill and takes
    // the mouse presses meanwhile.
    std::unique_ptr<IntroSequence> intro_;
};
