#include "rhythm/pulse_trainer.h"

#include "platform/midi/short_message.h"
#include "rhythm/status_texts.h"

PulseTrainer::PulseTrainer(Clock& clock, TrainerView& view, SharedMidiOutput& output,
                           Beeper& beeper)
    : clock_(clock), view_(view), output_(output), sound_(output, beeper), metronome_(output),
      judge_(clock.milliseconds())
{
    if (!output_.open())
        beeper.alert();
    sound_.preloadHitProgram();
}

PulseTrainer::~PulseTrainer()
{
    endSession();
    metronome_.stop();
}

void PulseTrainer::endSession()
{
    if (auto ended = session_.end(clock_.milliseconds()); ended && sessionLog_)
        sessionLog_->sessionEnded(*ended);
}

void PulseTrainer::keyPressed(Key key, std::uint32_t time, bool autoRepeat)
{
    switch (key) {
    case Key::Escape:
        endSession();
        judge_.clearCounters(clock_.milliseconds());
        view_.repaintAll();
        return;
    case Key::Results:
        showResults();
        return;
    case Key::Other:
        if (autoRepeat || keyDown_ || metronomeButtonPressed_)
            return;
        if (judge_.awaitingFirstHit())
            view_.blankDial();
        keyDown_ = true;
        hit(time);
        return;
    }
}

void PulseTrainer::keyReleased(Key key, bool autoRepeat)
{
    if (autoRepeat || key != Key::Other)
        return;
    takeHitOff();
    if (keyDown_)
        sound_.keyboardRelease();
    keyDown_ = false;
}

void PulseTrainer::midiMessage(std::uint32_t message, std::uint32_t time)
{
    if (keyDown_)
        return;
    sound_.selectHitProgram(94);
    if (judge_.awaitingFirstHit())
        view_.blankDial();

    const ShortMessage m = ShortMessage::unpack(message);
    const std::uint8_t status = m.status, key = m.data1, velocity = m.data2;
    bool noteOn = m.kind() == 0x90;
    bool noteOff = m.kind() == 0x80;
    if (noteOn)
        sound_.play(status, key, velocity);
    else if (noteOff)
        sound_.stop(status, key, velocity);

    if (noteOn && velocity > 0) {
        // The notes of a chord come within a few milliseconds: they are one hit.
        if (anyHitYet_ && time - keyDownTime_ <= chordWindowMs)
            return;
        takeHitOff();
        hit(time);
    } else if (noteOn || noteOff) {
        takeHitOff();
    }
}

void PulseTrainer::hit(std::uint32_t time)
{
    keyDownTime_ = time;
    anyHitYet_ = true;
    JudgedHit judged = judge_.judge(time, static_cast<std::uint32_t>(slider_.tempo()));
    session_.hit(time, judged, slider_.tempo(),
                 keyDown_ ? PracticeSession::Input::Keyboard : PracticeSession::Input::Midi,
                 metronome_.running());
    if (keyDown_)
        sound_.keyboardHit();
    view_.drawNeedle(judged.needleX);
    view_.drawLamp(judged.lamp, true);
    lastNeedleX_ = judged.needleX;
    lastLamp_ = judged.lamp;
    hitShown_ = true;
    view_.drawStatusLines(steadinessLine(stats()), runLine(stats()));
}

void PulseTrainer::takeHitOff()
{
    if (!hitShown_)
        return;
    view_.eraseNeedle(lastNeedleX_);
    view_.drawLamp(lastLamp_, false);
    hitShown_ = false;
}

void PulseTrainer::showResults()
{
    endSession();
    ResultsReport report = judge_.closeMeasurement(clock_.milliseconds());
    view_.showResults(resultsText(report));
}

void PulseTrainer::mousePressed(int x, int y)
{
    if (slider_.onTrack(x, y)) {
        int oldThumbX = slider_.thumbX();
        slider_.press(x, y);
        moveSlider(oldThumbX);
        if (slider_.paging())
            view_.setPagingTimer(true);
    } else if (onMetronomeButton(x, y)) {
        pressMetronomeButton();
    } else if (onHelpButton(x, y)) {
        view_.drawHelpButton(true);
        view_.openHelp();
        view_.drawHelpButton(false);
    }
}

void PulseTrainer::pressMetronomeButton()
{
    metronomeButtonPressed_ = true;
    if (output_.isOpen())
        view_.drawMetronomeButton(true);
    if (metronome_.running())
        metronome_.stop();
    else
        metronome_.start(beatLength(static_cast<std::uint32_t>(slider_.tempo())));
    view_.drawMetronomeCaption(metronome_.running());
}

void PulseTrainer::mouseMoved(int x, int y)
{
    int oldThumbX = slider_.thumbX();
    slider_.dragTo(x, y);
    moveSlider(oldThumbX);
}

void PulseTrainer::pagingTick()
{
    int oldThumbX = slider_.thumbX();
    slider_.pageStep();
    moveSlider(oldThumbX);
}

void PulseTrainer::moveSlider(int oldThumbX)
{
    if (slider_.thumbX() != oldThumbX)
        view_.moveThumb(oldThumbX, slider_.thumbX());
}

void PulseTrainer::mouseReleased()
{
    bool wasPaging = slider_.paging();
    if (slider_.release()) {
        if (session_.tempo() && *session_.tempo() != slider_.tempo())
            endSession(); // a session keeps one tempo
        if (wasPaging)
            view_.setPagingTimer(false);
        // A running metronome follows the new tempo; an unchanged tempo keeps
        // its beat undisturbed.
        std::uint32_t beat = beatLength(static_cast<std::uint32_t>(slider_.tempo()));
        if (metronome_.running() && beat != metronome_.beatMilliseconds()) {
            metronome_.restart(beat);
            view_.drawMetronomeCaption(metronome_.running());
        }
    }
    if (metronomeButtonPressed_) {
        view_.drawMetronomeButton(false);
        metronomeButtonPressed_ = false;
    }
}

void PulseTrainer::focusGained()
{
    // The metronome only runs while there is an output to tick on.
    const bool open = output_.reopen().ok();
    sound_.preloadHitProgram();
    if (!open && metronome_.running()) {
        metronome_.stop();
        view_.drawMetronomeCaption(false);
    }
}
