#pragma once

#include "midi/midi_messages.h"
#include "midi/midi_out.h"
#include "platform/gdi/canvas.h"
#include "platform/system/timed_sequence.h"
#include "render/colours.h"
#include "render/star_field.h"

#include <QImage>
#include <QRect>
#include <Qt>

#include <array>
#include <functional>
#include <memory>
#include <vector>

class RandomSource;

// The durations of the intro, in milliseconds. Tests shorten them.
struct IntroTiming {
    int frameMs = 20;     // one frame of the flight
    int holdStepMs = 100; // the banner stays up for up to 25 of these
    int releaseMs = 500;  // the pause after the note-offs
};

// The intro that opens the main window's first paint: a star-field flight of
// 100 frames with three notes on General MIDI program 16, then a banner with
// the program's name and a fourth note, then the notes' release.
//
// Each step draws into the intro's own frame and then copies what changed to
// the window's canvas in one block, so the window gets one repaint request a
// frame rather than one for each of the stars' 1000 pixel writes.
//
// It runs as a timed sequence on the GUI thread and returns at once, so the
// window keeps repainting. While it runs, the window hands it its mouse
// presses and drops every other input. A left press during the flight ends it
// after the frame on screen and skips the banner and its note; a left press
// during the banner ends its hold. The note-offs and the final pause always
// follow, then `finished` is called: the first drill starts there.
class IntroSequence {
public:
    using Timing = IntroTiming;

    static constexpr int frameCount = 100;
    static constexpr int holdSteps = 25;
    static constexpr int program = introProgram;
    static constexpr std::array<int, 3> flightKeys{33, 38, 40}; // at frames 0, 19 and 38
    static constexpr int noteFrameSpacing = 19;
    static constexpr int bannerKey = 45;
    static constexpr int noteOnVelocity = 100;
    static constexpr int releaseVelocity = 80;
    static constexpr int starSpeed = 3; // depth the stars come closer by each frame

    static constexpr const char* skipText = "Skip Intro";
    static constexpr QPoint skipTextAt{215, 450};
    struct BannerLine {
        const char* text;
        int y;
        int colour; // index into the colour table
    };
    static constexpr std::array<BannerLine, 3> bannerLines{{
        {"SOLFARA TRAINER", 110, 7},
        {"Fast & Soft", 160, 16},
        {"A sight-singing trainer.", 210, 24},
    }};
    static constexpr int bannerCentreX = 250;
    static constexpr int textColour = 7; // "Skip Intro"

    // Draws on `canvas`, which must outlive the intro; sounds through `out`;
    // places the stars with draws from `random`.
    IntroSequence(gdi::Canvas& canvas, MidiOut& out, RandomSource& random, Timing timing = {});
    IntroSequence(const IntroSequence&) = delete;
    IntroSequence& operator=(const IntroSequence&) = delete;

    // Starts the intro and returns at once; the first frame is drawn before
    // it returns. `frameShown` (optional) is called after every frame and after
    // the banner is drawn, for a canvas whose changes do not reach the screen
    // by themselves. `finished` is called once, after the final pause; the
    // intro must not be destroyed from inside it (it is still on the call
    // stack): keep it as a member of the window. Starting it again while it
    // runs abandons the run under way without calling its `finished`.
    void RunIntro(const ColourTable& colours, std::function<void()> frameShown,
                  std::function<void()> finished);

    // A mouse press in the window while the intro runs. Only the left button
    // counts; anything else is dropped.
    void mousePressed(Qt::MouseButton button);

    bool isRunning() const { return phase_ != Phase::Idle; }
    // Whether a left press ended the flight (the banner was skipped).
    bool skipped() const { return skipped_; }
    // Frames of the flight drawn so far.
    int framesDrawn() const { return framesDrawn_; }

private:
    enum class Phase { Idle, Flight, Banner, Release };

    void startFlight();
    void drawFrame(int n);
    void startBanner();
    void startRelease();
    void noteOn(int key);
    // The key's note-off, whether it was started or a skip left it out.
    void release(int key);
    void present();

    gdi::Canvas& canvas_; // the window
    QImage frame_;        // the intro's own frame, the window's size
    std::unique_ptr<gdi::Canvas> frameCanvas_;
    QRect changed_; // of the frame since it was last copied to the window
    MidiOut& out_;
    std::vector<SoundingNote> notes_; // started, in order
    RandomSource& random_;
    Timing timing_;
    ColourTable colours_{};
    std::function<void()> frameShown_;
    std::function<void()> finished_;
    StarField stars_;
    TimedSequence sequence_;
    Phase phase_ = Phase::Idle;
    bool skipped_ = false;
    int framesDrawn_ = 0;
};
