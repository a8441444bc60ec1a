#pragma once

#include "platform/gdi/canvas.h"
#include "rhythm/tempo_slider.h"
#include "rhythm/trainer_layout.h"

#include <string>

// The drawing routines of the beatwise window: everything is drawn by hand on
// its 400 × 220 client area through a GDI-style canvas.
namespace display {

namespace colour {
constexpr gdi::Colour windowBackground = gdi::rgb(154, 164, 155);
constexpr gdi::Colour panelBackground = gdi::rgb(155, 164, 154);
constexpr gdi::Colour statusBackground = gdi::rgb(140, 142, 140);
constexpr gdi::Colour statusText = gdi::rgb(0, 32, 0);
constexpr gdi::Colour grey = gdi::rgb(128, 128, 128);
constexpr gdi::Colour lightGrey = gdi::rgb(220, 220, 220);
constexpr gdi::Colour silver = gdi::rgb(192, 192, 192);
constexpr gdi::Colour yellow = gdi::rgb(255, 255, 0);
} // namespace colour

// Where things sit comes from the layout the trainer hit-tests against.
using layout::Box;
using layout::clientHeight;
using layout::clientWidth;
using layout::dialBottom;
using layout::dialLeft;
using layout::dialRight;
using layout::dialTop;
using layout::helpButton;
using layout::metronomeButton;
using layout::tempoBox;

// What a full paint needs to know of the program's state.
struct WindowState {
    int thumbX = TempoSlider::startThumbX;
    int tempo = TempoSlider().tempo();
    bool metronomeRunning = false;
    bool showStatus = false; // at least one hit counted
    std::string steadiness, runs;
};

void paintWindow(gdi::Canvas& canvas, const WindowState& state);

void sunkenFrame(gdi::Canvas& canvas, const Box& box);
void raisedFace(gdi::Canvas& canvas, const Box& box);
void pressedFace(gdi::Canvas& canvas, const Box& box);

void drawNeedle(gdi::Canvas& canvas, int x);
void eraseNeedle(gdi::Canvas& canvas, int x);
void drawLamp(gdi::Canvas& canvas, int lamp, bool lit);
gdi::Colour lampColour(int lamp, bool lit);

// The slider thumb leaves `oldX` and is drawn at `newX` with the new tempo.
void moveThumb(gdi::Canvas& canvas, int oldX, int newX, int tempo);
void drawTempoNumber(gdi::Canvas& canvas, int tempo);

void drawMetronomeCaption(gdi::Canvas& canvas, bool running);
void drawStatusLines(gdi::Canvas& canvas, const std::string& steadiness, const std::string& runs);

// The instruction shown in the dial until the first hit, and its removal.
inline constexpr const char* instruction = "Steadily hit any key (or MIDI)...";
void drawInstruction(gdi::Canvas& canvas);
void blankDial(gdi::Canvas& canvas);

} // namespace display
