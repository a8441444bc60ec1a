#include "solfara/main_frame.h"

#include "drill/drill_engine.h"
#include "drill/own_settings_file.h"
#include "platform/gdi/artwork_loader.h"
#include "platform/gdi/window_scale.h"
#include "platform/system/help_window.h"
#include "progress/progress_window.h"
#include "solfara/answer_mode_choice.h"
#include "solfara/custom_melody_dialog.h"
#include "solfara/drill_progress_page.h"
#include "solfara/last_drill_report.h"
#include "solfara/mic_button_widget.h"
#include "solfara/version.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTimer>
#include <QWindow>

#include <algorithm>
#include <chrono>
#include <utility>

namespace {

// Values of `controlState`: the control the left button is engaged with.
namespace control {
constexpr int none = 0;
constexpr int settings = 1;
constexpr int newDrill = 2;
constexpr int hear = 3;
constexpr int restart = 4;
constexpr int help = 5;
constexpr int close = 6;
constexpr int minimize = 7;
constexpr int firstNoteBox = 6; // 6 + i: the pointer is over note box i
constexpr int modeSelector = 20;
} // namespace control

constexpr int dragStripRight = 460;

// The five bottom buttons by their `controlState` value, with their labels.
struct BottomButton {
    int state;
    std::string_view label;
    int labelColour;
};
constexpr BottomButton settingsEntry{control::settings, "Settings", kSettingsLabelColour};
constexpr BottomButton newEntry{control::newDrill, "New", colour::buttonLabel};
constexpr BottomButton hearEntry{control::hear, "Hear", colour::buttonLabel};
constexpr BottomButton restartEntry{control::restart, "Restart", colour::buttonLabel};
constexpr BottomButton helpEntry{control::help, "Help", colour::buttonLabel};

// The orders in which press and release, and moves, look at them.
constexpr BottomButton pressOrder[] = {newEntry, hearEntry, settingsEntry, restartEntry, helpEntry};
constexpr BottomButton moveOrder[] = {settingsEntry, newEntry, hearEntry, restartEntry, helpEntry};

} // namespace

PushButton& CMainFrame::bottomButton(int state)
{
    switch (state) {
    case control::settings:
        return buttons_.settingsButton;
    case control::newDrill:
        return buttons_.newButton;
    case control::hear:
        return buttons_.hearButton;
    case control::restart:
        return buttons_.restartButton;
    default:
        return buttons_.helpButton;
    }
}

CMainFrame::CMainFrame(DrillEngine& engine, const MainFrameServices& services, QWidget* parent)
    : gdi::BackBufferedWidget(parent, QSize(clientWidth, clientHeight)), engine_(engine),
      services_(services), panels_(services.midiOut, bitmaps_, colours_),
      cycle_(engine, services, colours_, bitmaps_, [this]() -> gdi::Canvas& { return canvas(); }),
      handCursor_(gdi::loadCursor("149")), keyboardCursor_(gdi::loadCursor("146")),
      pressedKeyCursor_(gdi::loadCursor("147"))
{
    cycle_.paintAnswerPanel = [this](gdi::Canvas& dc, const StaffLayout&, AnswerMode mode) {
        if (AnswerPanel* panel = panels_.panel(mode))
            panel->draw(dc);
    };
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    setWindowTitle(titleText);
    setFixedSize(clientWidth, clientHeight);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);

    micButton_ = new MicButtonWidget(bitmaps_.micButton, this);
    placeChild(*micButton_, MicButtonWidget::drawnPlace);
    micButton_->clicked = [this] { toggleMicrophone(); };
    if (answerModeOf(engine_.settings.noteName) == AnswerMode::Microphone)
        micButton_->hide();
}

CMainFrame::~CMainFrame() = default;

QPoint CMainFrame::placement(QSize screen)
{
    return {(screen.width() - 500) / 2, (screen.height() - 360) / 2 - 10};
}

void CMainFrame::paintWindow(gdi::Canvas& dc)
{
    if (introRunning())
        return; // the intro owns the picture until it is over
    dc.fill(0, 0, dc.width(), dc.height(), gdi::black);
    if (firstPaint_) {
        setCursor(arrowCursor_);
        // The rest of start-up runs from the event loop: the intro is timed,
        // and a message about the microphone must not open inside a paint.
        firstPaint_ = false;
        QTimer::singleShot(0, this, [this] { startUp(); });
        return;
    }
    dc.fill(0, 0, dc.width(), dc.height(), colours_[colour::windowBackground]);
    paintCommon(dc, false);
}

void CMainFrame::startUp()
{
    // The one place where the intro plays before the first drill.
    if (!services_.intro) {
        afterIntro();
        return;
    }
    micButton_->hide(); // drawn over by the stars otherwise
    intro_ = std::make_unique<IntroSequence>(canvas(), services_.midiOut, services_.random,
                                             *services_.intro);
    intro_->RunIntro(colours_, {}, [this] { afterIntro(); });
}

void CMainFrame::afterIntro()
{
    gdi::Canvas& dc = canvas();
    dc.fill(0, 0, dc.width(), dc.height(), colours_[colour::windowBackground]);
    cycle_.prepareCapture();
    paintCommon(dc, true);
    if (answerModeOf(engine_.settings.noteName) != AnswerMode::Microphone) {
        micButton_->setMicOff(true);
        micButton_->show();
    }
    started_ = true;
    if (services_.started)
        services_.started();
}

void CMainFrame::paintCommon(gdi::Canvas& dc, bool firstPaint)
{
    const AnswerMode mode = answerModeOf(engine_.settings.noteName);
    drawWindowChrome(dc, colours_, buttons_, windowTitle().toStdString(), mode);
    cycle_.drawStaffPanel(dc);
    drawWindowBorder(dc, colours_);
    cycle_.paintDrill(dc, firstPaint);
    drawModeSelector(dc, colours_);
}

void CMainFrame::placeOnScreen()
{
    gdi::placeOnScreen(*this, &CMainFrame::placement);
}

void CMainFrame::resizeTo(WindowSize size)
{
    const Status kept =
        gdi::chooseWindowScale(*this, size, services_.rememberedScale, &CMainFrame::placement);
    if (!kept)
        services_.messages.warn(kSolfaraCaption, kept.message());
}

void CMainFrame::endForTermination()
{
    if (QWidget* modal = QApplication::activeModalWidget(); modal && modal != this)
        modal->close();
    close();
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    QWidget::closeEvent(event);
    if (!event->isAccepted() || destroyed_)
        return;
    destroyed_ = true;
    // An intro cut off here must not go on to start the first drill.
    intro_.reset();
    cycle_.shutDown();
    engine_.saveAndRelease();
}

bool CMainFrame::inDragStrip(int x, int y) const
{
    return y < layoutTop && x < dragStripRight;
}

void CMainFrame::mousePressEvent(QMouseEvent* event)
{
    if (introRunning()) {
        intro_->mousePressed(event->button());
        return;
    }
    const QPoint p = event->position().toPoint();
    if (event->button() == Qt::LeftButton) {
        if (inDragStrip(p.x(), p.y())) {
            // The window system moves the window; without a window manager
            // that could, the window follows the pointer itself.
            if (!windowHandle() || !windowHandle()->startSystemMove())
                dragOffset_ = event->globalPosition().toPoint() - pos();
            return;
        }
        pressAt(p.x(), p.y());
    } else if (event->button() == Qt::RightButton) {
        // The title strip is the window's caption: no menu there.
        if (started_ && !cycle_.busy() && !cycle_.hearing() && !inDragStrip(p.x(), p.y()))
            openPopupMenu(p.x(), p.y());
    }
    QWidget::mousePressEvent(event);
}

void CMainFrame::mouseMoveEvent(QMouseEvent* event)
{
    if (introRunning())
        return;
    if (dragOffset_) {
        move(event->globalPosition().toPoint() - *dragOffset_);
        return;
    }
    const QPoint p = event->position().toPoint();
    moveTo(p.x(), p.y());
    QWidget::mouseMoveEvent(event);
}

void CMainFrame::mouseDoubleClickEvent(QMouseEvent* event)
{
    // The second press of a double click is a press like the first, except
    // that the intro takes single presses only.
    if (!introRunning())
        mousePressEvent(event);
}

void CMainFrame::mouseReleaseEvent(QMouseEvent* event)
{
    if (introRunning())
        return;
    if (event->button() == Qt::LeftButton && dragOffset_)
        dragOffset_.reset();
    else if (event->button() == Qt::LeftButton)
        releaseLeft();
    QWidget::mouseReleaseEvent(event);
}

void CMainFrame::keyPressEvent(QKeyEvent* event)
{
    if (!introRunning())
        QWidget::keyPressEvent(event);
}

void CMainFrame::keyReleaseEvent(QKeyEvent* event)
{
    if (introRunning())
        return;
    // While Hear plays the drill takes no answer.
    if (event->key() == Qt::Key_Space && !event->isAutoRepeat() && !cycle_.hearing())
        cycle_.requestSkip();
    QWidget::keyReleaseEvent(event);
}

void CMainFrame::pressAt(int x, int y)
{
    gdi::Canvas& dc = canvas();
    if (cycle_.hearing()) {
        // While the melody sounds only a second press on "Hear" counts: it
        // stops after the current note, and its release does nothing, however late.
        if (buttons_.hearButton.contains(x, y)) {
            buttons_.hearButton.drawPressed(dc, colours_);
            controlState_ = control::none;
            cycle_.stopHearing();
        }
        return;
    }
    if (buttons_.closeButton.contains(x, y)) {
        buttons_.closeButton.drawPressed(dc, colours_);
        controlState_ = control::close;
        close();
        return;
    }
    if (buttons_.minimizeButton.contains(x, y)) {
        buttons_.minimizeButton.drawPressed(dc, colours_);
        controlState_ = control::minimize;
        cycle_.keepMelodyOnRepaint = true;
        showMinimized();
        return;
    }

    // While a melody is being drawn or the banner shows, the drill takes no commands.
    if (cycle_.busy())
        return;
    for (const BottomButton& b : pressOrder) {
        PushButton& button = bottomButton(b.state);
        if (button.contains(x, y)) {
            button.drawPressed(dc, colours_);
            controlState_ = b.state;
            return;
        }
    }
    if (pressPanelOrSelector(x, y))
        return;
    auto& boxes = cycle_.noteBoxes();
    for (int i = 0; i < kNoteBoxCount; ++i) {
        if (boxes[i].contains(x, y)) {
            clickedNoteBox_ = i;
            cycle_.pressNoteBox(i);
            return;
        }
    }
}

void CMainFrame::moveTo(int x, int y)
{
    if (inDragStrip(x, y)) {
        // The caption strip: the arrow, and a button pressed before gives no action.
        setCursor(arrowCursor_);
        clearPressedButtons();
        return;
    }
    gdi::Canvas& dc = canvas();
    for (const BottomButton& b : moveOrder) {
        PushButton& button = bottomButton(b.state);
        if (!button.pressed)
            continue;
        const bool inside = button.contains(x, y);
        if (inside && controlState_ != b.state) {
            button.drawPressed(dc, colours_);
            controlState_ = b.state;
        } else if (!inside && controlState_ == b.state) {
            releaseButtonLook(button, b.label, b.labelColour);
            controlState_ = control::none;
        }
    }

    movePanelOrSelector(x, y);
    if (answerModeOf(engine_.settings.noteName) != AnswerMode::Microphone)
        return;
    auto& boxes = cycle_.noteBoxes();
    for (int i = 0; i < cycle_.drill().noteCount() && i < kNoteBoxCount; ++i) {
        const int state = control::firstNoteBox + i;
        const bool inside = boxes[i].contains(x, y);
        if (inside && controlState_ != state) {
            controlState_ = state;
            setCursor(handCursor_);
        } else if (!inside && controlState_ == state) {
            controlState_ = control::none;
            setCursor(arrowCursor_);
        }
    }
}

void CMainFrame::releaseLeft()
{
    if (AnswerPanelMouse* mouse = panels_.mouse(answerModeOf(engine_.settings.noteName))) {
        const bool played = mouse->held() && cycle_.dueNoteForPanels().has_value();
        const AnswerPanelMouse::Released released = mouse->release(canvas());
        showPanelCursor(released.cursor);
        if (released.accept)
            cycle_.acceptAnsweredNote();
        else if (played)
            cycle_.wrongNoteAnswered();
    }

    for (const BottomButton& b : pressOrder) {
        PushButton& button = bottomButton(b.state);
        if (!button.pressed)
            continue;
        button.pressed = 0;
        // The press that stopped a playback: the button shows "STOP..." until it ends.
        if (cycle_.hearing() || controlState_ != b.state)
            return;
        if (b.state != control::hear)
            releaseButtonLook(button, b.label, b.labelColour);
        switch (b.state) {
        case control::newDrill:
            cycle_.newDrill();
            break;
        case control::hear:
            cycle_.hear(button);
            break;
        case control::settings:
            openSettings();
            break;
        case control::restart:
            cycle_.restart();
            break;
        case control::help:
            openHelp();
            break;
        }
        return;
    }
    if (clickedNoteBox_ >= 0) {
        cycle_.releaseNoteBox();
        clickedNoteBox_ = -1;
    }
}

void CMainFrame::releaseButtonLook(PushButton& button, std::string_view label, int labelColour)
{
    gdi::Canvas& dc = canvas();
    button.drawRaised(dc, colours_);
    button.drawLabel(dc, colours_, label, labelColour);
}

void CMainFrame::clearPressedButtons()
{
    for (PushButton* b : {&buttons_.helpButton, &buttons_.restartButton, &buttons_.hearButton,
                          &buttons_.settingsButton, &buttons_.newButton})
        b->pressed = 0;
}

// The mode selector, the staff (which opens the menu) and the keyboard or
// fretboard, in that order. True when the press landed on one of them.
bool CMainFrame::pressPanelOrSelector(int x, int y)
{
    if (modeSelectorContains(x, y)) {
        chooseMode(modeBandAt(x, y));
        return true;
    }
    if (inStaffArea(x, y)) {
        if (!menuLatch_.swallowStaffPress())
            openPopupMenu(x, y);
        return true;
    }
    AnswerPanelMouse* mouse = panels_.mouse(answerModeOf(engine_.settings.noteName));
    if (!mouse)
        return false;
    PanelCursor cursor = PanelCursor::Unchanged;
    mouse->press(canvas(), x, y, panelContext(), cursor);
    showPanelCursor(cursor);
    return true;
}

void CMainFrame::chooseMode(ModeBand band)
{
    VoiceInput& voice = cycle_.voice();
    const AnswerModeChoice choice =
        chooseAnswerMode(band, {engine_.settings.noteName, voice.micOff(), voice.micMuted()});
    engine_.settings.noteName = choice.state.noteName;
    voice.setMicOff(choice.state.micOff);
    voice.setMicMuted(choice.state.micMuted);
    if (choice.startCapture)
        voice.startCapture();
    if (choice.stopCapture)
        voice.stopCapture();
    micButton_->setVisible(choice.micButtonVisible);
    micButton_->setMicOff(choice.state.micOff);
    engine_.setAnswerMode();
    if (choice.newMelody) {
        cycle_.newMelodyInTheSameKey();
        cycle_.hideMarker();
    }
    cycle_.keepMelodyOnRepaint = true;
    invalidate();
}

void CMainFrame::movePanelOrSelector(int x, int y)
{
    if (AnswerPanelMouse* mouse = panels_.mouse(answerModeOf(engine_.settings.noteName)))
        showPanelCursor(mouse->move(canvas(), x, y, panelContext()));
    if (modeSelectorContains(x, y)) {
        setCursor(handCursor_);
        controlState_ = control::modeSelector;
        drawModeSelector(canvas(), colours_, modeBandAt(x, y));
    } else if (controlState_ == control::modeSelector) {
        setCursor(arrowCursor_);
        controlState_ = control::none;
        drawModeSelector(canvas(), colours_);
    }
}

void CMainFrame::showPanelCursor(PanelCursor cursor)
{
    switch (cursor) {
    case PanelCursor::Arrow:
        setCursor(arrowCursor_);
        break;
    case PanelCursor::Keyboard:
        setCursor(keyboardCursor_);
        break;
    case PanelCursor::PressedKey:
        setCursor(pressedKeyCursor_);
        break;
    case PanelCursor::Unchanged:
        break;
    }
}

PanelContext CMainFrame::panelContext() const
{
    const Settings& s = engine_.settings;
    return {{.transpose = s.transpose, .midiVol = s.midiVol, .miditimbre = s.miditimbre},
            cycle_.dueNoteForPanels()};
}

void CMainFrame::openPopupMenu(int x, int y)
{
    menuLatch_.opened();
    const WindowSize windowSize =
        services_.rememberedScale ? services_.rememberedScale->load() : WindowSize{scale()};
    const MenuCommand command = execPopupMenu(engine_.settings, windowSize, engine_.practice,
                                              mapToGlobal(toWidget(QRect(x, y, 1, 1)).topLeft()));
    if (command == MenuCommand::None || destroyed_)
        return;
    menuLatch_.commandChosen();
    carryOut(applyMenuCommand(command, engine_.settings, engine_.practice));
}

void CMainFrame::carryOut(const MenuOutcome& outcome)
{
    engine_.settings = outcome.settings;
    engine_.practice = outcome.practice;
    if (outcome.notationChanged)
        engine_.selectNotation();
    switch (outcome.followUp) {
    case MenuFollowUp::None:
        break;
    case MenuFollowUp::RedrawSameDrill:
    case MenuFollowUp::NewDrillOnRepaint:
        cycle_.keepMelodyOnRepaint = outcome.followUp == MenuFollowUp::RedrawSameDrill;
        invalidate();
        break;
    case MenuFollowUp::NewDrillNow:
        cycle_.newDrill();
        break;
    case MenuFollowUp::ResizeWindow:
        resizeTo(outcome.windowSize);
        break;
    case MenuFollowUp::SelectCustomMelody:
        if (const std::optional<int> line =
                selectCustomMelody(engine_.dataDirectory(), engine_.settings.noteName, this)) {
            engine_.settings = withChosenMelody(engine_.settings, *line);
            cycle_.keepMelodyOnRepaint = false;
            invalidate();
        }
        break;
    case MenuFollowUp::OpenProgress:
        if (!progress_)
            progress_ = new ProgressWindow(
                "Solfara Progress",
                [directory = engine_.dataDirectory()](int days) {
                    return drillProgressPage(directory, days, std::chrono::system_clock::now());
                },
                this);
        progress_->present(std::max(1, scale()));
        break;
    case MenuFollowUp::OpenMicrophoneSetup:
        initialSheetTab_ = kSoundSheetTab;
        openSettings(true);
        break;
    case MenuFollowUp::PracticeChanged:
        if (Status saved = updateOwnSettings(
                engine_.dataDirectory(),
                [&practice = outcome.practice](OwnSettings& own) { own.practice = practice; });
            !saved)
            services_.messages.showError(kSolfaraCaption, saved.message());
        cycle_.practiceChanged();
        break;
    case MenuFollowUp::OpenLastDrill:
        showLastDrill();
        break;
    }
}

LastDrillWindow* CMainFrame::lastDrillWindow() const
{
    return lastDrill_.data();
}

void CMainFrame::showLastDrill()
{
    // Made afresh each time: the page's height follows the drill's length.
    if (lastDrill_)
        lastDrill_->close();
    lastDrill_ = new LastDrillWindow(
        lastDrillPage(cycle_.lastDrill(), engine_.practice.toleranceCents), this);
    lastDrill_->presentOverOwner(std::max(1, scale()));
}

void CMainFrame::openMicrophoneCheck()
{
    initialSheetTab_ = kSoundSheetTab;
    openSettings(true, true);
}

void CMainFrame::openSettings(bool keepBlinking, bool startMicrophoneCheck)
{
    if (!services_.openSettingsSheet)
        return; // no sheet yet: nothing visible happens
    cycle_.setDetectionPaused(true);
    if (!keepBlinking)
        cycle_.stopBlinking();
    // The page asked for is shown this once; the next opening starts on General.
    const int tab = std::exchange(initialSheetTab_, kGeneralSheetTab);
    const SheetOutcome outcome = services_.openSettingsSheet(
        {*this, tab,
         [this](MicrophoneBlockObserver observer) { cycle_.microphoneObserver = observer; },
         startMicrophoneCheck});
    cycle_.microphoneObserver = {};
    if (destroyed_)
        return; // closed while the sheet showed: the drill has ended for good
    cycle_.setDetectionPaused(false);
    if (outcome != SheetOutcome::Confirmed)
        cycle_.resumeBlinking();
    if (outcome == SheetOutcome::NotOpened)
        return;
    cycle_.keepMelodyOnRepaint = outcome == SheetOutcome::Cancelled;
    if (outcome == SheetOutcome::Confirmed)
        cycle_.settingsTaken();
    invalidate();
}

void CMainFrame::openHelp()
{
    if (!help_)
        help_ = new HelpWindow("Solfara Help", QUrl("qrc:/help/solfara.html"), this);
    help_->present();
}

void CMainFrame::toggleMicrophone()
{
    if (cycle_.hearing())
        return; // the speaker's own notes are not to be judged as sung
    const bool turnOn = cycle_.voice().micOff();
    cycle_.setMicrophoneOn(turnOn);
    micButton_->setMicOff(!turnOn);
}
