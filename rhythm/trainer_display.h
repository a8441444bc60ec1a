#pragma once

#include "platform/gdi/canvas.h"

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

constexpr int clientWidth = 400;
constexpr int clientHeight = 220;

// A drawn box: a button, the slider thumb, the tempo box.
struct Box {
    int x, y, width, height;
};
constexpr Box metronomeButton{150, 70, 100, 28};
constexpr Box helpButton{375, 155, 15, 15};
constexpr Box tempoBox{175, 110, 50, 20};
constexpr int dialLeft = 20, dialTop = 10, dialRight = 380, dialBottom = 40;

// What a full paint needs to know of the program's state.
struct WindowState {
    int thumbX = 142;
    int tempo = 80;
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
