#include "solfara/intro_sequence.h"

#include "midi/midi_messages.h"
#include "midi/midi_out.h"

namespace {

const gdi::FontSpec skipFont{.face = "Helv", .height = 12, .width = 7, .weight = 100};
const gdi::FontSpec bannerFont{.face = "Helv", .height = 48, .width = 10, .weight = 900};

} // namespace

IntroSequence::IntroSequence(gdi::Canvas& canvas, MidiOut& out, RandomSource& random, Timing timing)
    : canvas_(canvas), out_(out), random_(random), timing_(timing)
{
}

void IntroSequence::RunIntro(const ColourTable& colours, std::function<void()> frameShown,
                             std::function<void()> finished)
{
    colours_ = colours;
    frameShown_ = std::move(frameShown);
    finished_ = std::move(finished);
    skipped_ = false;
    framesDrawn_ = 0;

    frame_ = QImage(canvas_.width(), canvas_.height(), QImage::Format_RGB32);
    frameCanvas_ = std::make_unique<gdi::Canvas>(frame_, [this](const QRect& r) { changed_ |= r; });
    frameCanvas_->fill(0, 0, frame_.width(), frame_.height(), gdi::black);
    stars_.CreateStars(random_);
    out_.chooseTimbre(program);
    startFlight();
}

void IntroSequence::mousePressed(Qt::MouseButton button)
{
    if (button != Qt::LeftButton)
        return;
    if (phase_ == Phase::Flight || phase_ == Phase::Banner)
        sequence_.requestStop();
}

// One step per frame, each followed by the frame's duration, and a last step
// without an action so that a press during the last frame still skips the
// banner. A press asks the sequence to stop: the step after the press draws
// nothing and ends the flight.
void IntroSequence::startFlight()
{
    phase_ = Phase::Flight;
    std::vector<TimedSequence::Step> steps;
    for (int n = 0; n < frameCount; ++n)
        steps.push_back({[this, n] { drawFrame(n); }, timing_.frameMs});
    steps.push_back({{}, 0});
    sequence_.start(std::move(steps), [this](bool stopped) {
        stars_.DeleteStars();
        skipped_ = stopped;
        if (stopped)
            startRelease();
        else
            startBanner();
    });
}

void IntroSequence::drawFrame(int n)
{
    if (sequence_.stopRequested())
        return;
    if (n % noteFrameSpacing == 0 && n / noteFrameSpacing < int(flightKeys.size()))
        noteOn(flightKeys[std::size_t(n / noteFrameSpacing)]);
    stars_.MoveStars(0, 0, -starSpeed);
    stars_.DrawStars(*frameCanvas_);
    frameCanvas_->text(skipTextAt.x(), skipTextAt.y(), skipText,
                       {.font = skipFont, .colour = colours_[textColour]});
    ++framesDrawn_;
    present();
}

// The banner stays up for `holdSteps` steps; a press ends the hold at the end
// of the step it falls in.
void IntroSequence::startBanner()
{
    phase_ = Phase::Banner;
    std::vector<TimedSequence::Step> steps;
    steps.push_back({[this] {
                         noteOn(bannerKey);
                         for (const BannerLine& line : bannerLines)
                             frameCanvas_->text(bannerCentreX, line.y, line.text,
                                                {.font = bannerFont,
                                                 .colour = colours_[std::size_t(line.colour)],
                                                 .hAlign = gdi::HAlign::Centre});
                         present();
                     },
                     timing_.holdStepMs});
    for (int i = 1; i < holdSteps; ++i)
        steps.push_back({{}, timing_.holdStepMs});
    sequence_.start(std::move(steps), [this](bool) { startRelease(); });
}

// Every intro key is released, including those a skip never started.
void IntroSequence::startRelease()
{
    phase_ = Phase::Release;
    auto releaseAll = [this] {
        for (int key : flightKeys)
            release(key);
        release(bannerKey);
        notes_.clear();
    };
    sequence_.start({{releaseAll, timing_.releaseMs, false}}, [this](bool) {
        phase_ = Phase::Idle;
        auto finished = std::move(finished_);
        frameShown_ = {};
        frameCanvas_.reset();
        frame_ = QImage();
        if (finished)
            finished();
    });
}

void IntroSequence::noteOn(int key)
{
    notes_.push_back(out_.startNote(key, noteOnVelocity, {releaseVelocity}));
}

void IntroSequence::release(int key)
{
    for (SoundingNote& note : notes_)
        if (note.sounding() && note.key() == key) {
            note.stop();
            return;
        }
    out_.releaseKey(key, releaseVelocity);
}

void IntroSequence::present()
{
    const QRect r = changed_ & frame_.rect();
    changed_ = QRect();
    if (!r.isEmpty())
        canvas_.blit(r.x(), r.y(), r.width(), r.height(), frame_, r.x(), r.y(),
                     gdi::RasterOp::Copy);
    if (frameShown_)
        frameShown_();
}
