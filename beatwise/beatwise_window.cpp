#include "beatwise/beatwise_window.h"

#include "beatwise/session_progress_page.h"
#include "beatwise/trainer_display.h"
#include "platform/system/message_boxes.h"
#include "rhythm/status_texts.h"

#include <QKeyEvent>
#include <QMouseEvent>

#include <algorithm>
#include <chrono>

namespace {

PulseTrainer::Key keyOf(const QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Escape:
        return PulseTrainer::Key::Escape;
    case Qt::Key_F1:
        return PulseTrainer::Key::Results;
    default:
        return PulseTrainer::Key::Other;
    }
}

} // namespace

BeatwiseWindow::BeatwiseWindow(Clock& clock, MidiOutputSystem& midiOutputs, Beeper& beeper,
                               bool midiInput)
    : gdi::BackBufferedWidget(nullptr, QSize(display::clientWidth, display::clientHeight)),
      clock_(clock), output_(midiOutputs), trainer_(clock, *this, output_, beeper),
      listenToMidi_(midiInput)
{
    setWindowTitle(beatwiseCaption);
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFixedSize(display::clientWidth, display::clientHeight);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(false);

    pagingTimer_.setTimerType(Qt::PreciseTimer);
    pagingTimer_.setInterval(pagingIntervalMs);
    pagingTimer_.setObjectName(QString("timer %1").arg(pagingTimerId));
    connect(&pagingTimer_, &QTimer::timeout, this, [this] { trainer_.pagingTick(); });
    connect(&midiInput_, &MidiInput::shortMessage, this, &BeatwiseWindow::midiMessageReceived);
}

BeatwiseWindow::~BeatwiseWindow()
{
    midiInput_.close();
    pagingTimer_.stop();
}

QPoint BeatwiseWindow::centredPosition(QSize screen)
{
    return {(screen.width() - display::clientWidth) / 2, (screen.height() - 180) / 2 - 10};
}

void BeatwiseWindow::paintEvent(QPaintEvent* event)
{
    if (!painted_) {
        painted_ = true;
        paintAll();
        startIntro();
    }
    showBackBuffer(event);
}

void BeatwiseWindow::paintAll()
{
    const HitStats& stats = trainer_.stats();
    display::WindowState state;
    state.thumbX = trainer_.slider().thumbX();
    state.tempo = trainer_.slider().tempo();
    state.metronomeRunning = trainer_.metronomeRunning();
    state.showStatus = stats.total > 0;
    state.steadiness = steadinessLine(stats);
    state.runs = runLine(stats);
    display::paintWindow(canvas(), state);
    if (trainer_.metronomeButtonPressed() && output_.isOpen())
        display::pressedFace(canvas(), display::metronomeButton);
    // Until the first hit the dial keeps telling what to do.
    if (introDone_ && trainer_.awaitingFirstHit())
        display::drawInstruction(canvas());
}

void BeatwiseWindow::startIntro()
{
    std::vector<TimedSequence::Step> steps;
    steps.push_back({[this] { display::drawInstruction(canvas()); }, 0});
    steps.push_back({[this] {
                         if (listenToMidi_ && MidiInput::portCount() > 0)
                             // Without a port the computer keyboard alone is heard.
                             static_cast<void>(midiInput_.openFirstPort());
                     },
                     0});
    for (int lamp = 0; lamp < dial::lampCount; ++lamp)
        steps.push_back({[this, lamp] { display::drawLamp(canvas(), lamp, true); },
                         lamp == dial::lampCount - 1 ? 100 : 30});
    for (int lamp = dial::lampCount - 1; lamp >= 0; --lamp)
        steps.push_back(
            {[this, lamp] { display::drawLamp(canvas(), lamp, false); }, lamp == 0 ? 0 : 50});
    intro_.start(std::move(steps), [this](bool) { introDone_ = true; });
}

void BeatwiseWindow::keyPressEvent(QKeyEvent* event)
{
    // The dial belongs to the intro's lamp run until it is over.
    if (!introDone_)
        return;
    if (event->key() == Qt::Key_F3 || event->key() == Qt::Key_F2) {
        if (!event->isAutoRepeat())
            event->key() == Qt::Key_F3 ? stepWindowSize() : openProgress();
        return; // a control, not a hit
    }
    std::uint32_t time =
        eventTime_.toClock(static_cast<std::uint32_t>(event->timestamp()), clock_.milliseconds());
    trainer_.keyPressed(keyOf(event), time, event->isAutoRepeat());
}

void BeatwiseWindow::keyReleaseEvent(QKeyEvent* event)
{
    if (introDone_ && event->key() != Qt::Key_F3 && event->key() != Qt::Key_F2)
        trainer_.keyReleased(keyOf(event), event->isAutoRepeat());
}

void BeatwiseWindow::openProgress()
{
    if (historyDirectory_.empty())
        return;
    trainer_.progressShown();
    if (!progress_)
        progress_ = new ProgressWindow(
            "Beatwise Progress",
            [directory = historyDirectory_](int days) {
                return sessionProgressPage(directory, days, std::chrono::system_clock::now());
            },
            this);
    progress_->present(std::max(1, scale()));
}

void BeatwiseWindow::placeOnScreen()
{
    gdi::placeOnScreen(*this, &BeatwiseWindow::centredPosition);
}

void BeatwiseWindow::stepWindowSize()
{
    if (sizeMemory_)
        windowSize_ = sizeMemory_->load();
    windowSize_ = !windowSize_        ? std::optional<int>(1)
                  : *windowSize_ >= 3 ? std::nullopt
                                      : std::optional<int>(*windowSize_ + 1);
    const Status kept =
        gdi::chooseWindowScale(*this, windowSize_, sizeMemory_, &BeatwiseWindow::centredPosition);
    if (!kept)
        MessageBoxes(this).warn("Beatwise", kept.message());
}

void BeatwiseWindow::midiMessageReceived(std::uint32_t message, std::uint32_t timeMs)
{
    if (introDone_)
        trainer_.midiMessage(message, timeMs);
}

void BeatwiseWindow::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        trainer_.mousePressed(event->position().toPoint().x(), event->position().toPoint().y());
}

void BeatwiseWindow::mouseMoveEvent(QMouseEvent* event)
{
    if (event->buttons() & Qt::LeftButton)
        trainer_.mouseMoved(event->position().toPoint().x(), event->position().toPoint().y());
}

void BeatwiseWindow::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        trainer_.mouseReleased();
}

void BeatwiseWindow::focusInEvent(QFocusEvent* event)
{
    trainer_.focusGained();
    gdi::BackBufferedWidget::focusInEvent(event);
}

bool BeatwiseWindow::focusNextPrevChild(bool)
{
    return false; // Tab is a key like any other
}

void BeatwiseWindow::blankDial()
{
    display::blankDial(canvas());
}

void BeatwiseWindow::drawNeedle(int x)
{
    display::drawNeedle(canvas(), x);
}

void BeatwiseWindow::eraseNeedle(int x)
{
    display::eraseNeedle(canvas(), x);
}

void BeatwiseWindow::drawLamp(int lamp, bool lit)
{
    display::drawLamp(canvas(), lamp, lit);
}

void BeatwiseWindow::drawStatusLines(const std::string& steadiness, const std::string& runs)
{
    display::drawStatusLines(canvas(), steadiness, runs);
}

void BeatwiseWindow::repaintAll()
{
    paintAll();
}

void BeatwiseWindow::showResults(const std::string& text)
{
    messages_.inform(resultsCaption, text);
}

void BeatwiseWindow::moveThumb(int oldX, int newX)
{
    display::moveThumb(canvas(), oldX, newX, trainer_.slider().tempo());
}

void BeatwiseWindow::drawMetronomeButton(bool pressed)
{
    if (pressed)
        display::pressedFace(canvas(), display::metronomeButton);
    else
        display::raisedFace(canvas(), display::metronomeButton);
}

void BeatwiseWindow::drawMetronomeCaption(bool running)
{
    display::drawMetronomeCaption(canvas(), running);
}

void BeatwiseWindow::drawHelpButton(bool pressed)
{
    if (pressed)
        display::pressedFace(canvas(), display::helpButton);
    else
        display::raisedFace(canvas(), display::helpButton);
}

void BeatwiseWindow::openHelp()
{
    if (!help_)
        help_ = new HelpWindow("Beatwise Help", QUrl("qrc:/help/beatwise.html"), this);
    help_->present();
}

void BeatwiseWindow::setPagingTimer(bool running)
{
    if (running)
        pagingTimer_.start();
    else
        pagingTimer_.stop();
}
