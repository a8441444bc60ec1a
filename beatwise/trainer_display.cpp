#include "beatwise/trainer_display.h"

#include "rhythm/pulse_judge.h"
#include "rhythm/tempo_slider.h"

#include <array>
#include <cstdio>

namespace display {
namespace {

using gdi::Brush;
using gdi::Canvas;
using gdi::Pen;

constexpr int trackX = TempoSlider::trackX;
constexpr int trackY = TempoSlider::trackY;
constexpr int trackRight = TempoSlider::trackX + TempoSlider::trackWidth;

Pen pen(gdi::Colour c, int width = 1)
{
    return Pen::solid(c, width);
}

void polyline(Canvas& canvas, std::initializer_list<QPoint> points, gdi::Colour c)
{
    canvas.polyline(std::span<const QPoint>(points.begin(), points.size()), pen(c));
}

void outline(Canvas& canvas, const Box& b)
{
    canvas.rectangle(b.x, b.y, b.x + b.width, b.y + b.height, pen(gdi::black), Brush::none());
}

void face(Canvas& canvas, const Box& b, gdi::Colour light, gdi::Colour shadow)
{
    int x = b.x, y = b.y, w = b.width, h = b.height;
    polyline(canvas, {{x + 1, y + h - 1}, {x + 1, y + 1}, {x + w - 1, y + 1}}, light);
    polyline(canvas, {{x + w - 1, y + 1}, {x + w - 1, y + h - 1}, {x, y + h - 1}}, shadow);
    polyline(canvas, {{x + w - 2, y + 2}, {x + w - 2, y + h - 2}, {x + 1, y + h - 2}}, shadow);
    outline(canvas, b);
}

Box thumbBox(int thumbX)
{
    return {thumbX, trackY, TempoSlider::thumbWidth, TempoSlider::trackHeight};
}

void fillThumbArea(Canvas& canvas, int thumbX)
{
    canvas.fill(thumbX, trackY, TempoSlider::thumbWidth + 1, TempoSlider::trackHeight + 1,
                colour::panelBackground);
}

void drawThumb(Canvas& canvas, int thumbX)
{
    fillThumbArea(canvas, thumbX);
    raisedFace(canvas, thumbBox(thumbX));
}

void drawGroove(Canvas& canvas)
{
    canvas.line(trackX, trackY + 11, trackRight, trackY + 11, pen(colour::grey, 2));
    canvas.line(trackX + 1, trackY + 13, trackRight - 1, trackY + 13, pen(gdi::black, 2));
    canvas.line(trackX, trackY + 14, trackRight, trackY + 14, pen(gdi::white));
}

// The groove under a stretch of the track that the thumb has uncovered.
void redrawGroove(Canvas& canvas, int from, int to)
{
    const gdi::Colour rows[] = {colour::grey, colour::grey, gdi::black, gdi::black, gdi::white};
    for (int row = 0; row < 5; ++row) {
        bool black = rows[row] == gdi::black;
        int left = std::max(from, black ? trackX + 1 : trackX);
        int right = std::min(to, black ? trackRight - 1 : trackRight);
        if (left < right)
            canvas.line(left, trackY + 10 + row, right, trackY + 10 + row, pen(rows[row]));
    }
}

gdi::TextStyle captionStyle(gdi::Colour c)
{
    gdi::TextStyle style;
    style.font = {.face = "Helv",
                  .height = 10,
                  .width = 5,
                  .weight = 100,
                  .family = gdi::FontFamily::Swiss,
                  .fixedPitch = true};
    style.colour = c;
    style.hAlign = gdi::HAlign::Centre;
    style.opaque = true;
    style.background = colour::panelBackground;
    return style;
}

void dial(Canvas& canvas)
{
    canvas.roundRect(15, 8, 385, 42, 40, 40, pen(colour::grey, 3), Brush::solid(gdi::black));
    canvas.line(32, 42, 370, 42, pen(gdi::white));
    canvas.arc(345, 2, 386, 43, 369, 43, 385, 25, pen(gdi::white));
    canvas.line(385, 26, 385, 25, pen(gdi::white));
}

int needleTop(int x)
{
    return 196 < x && x < 202 ? 13 : 25;
}

} // namespace

void sunkenFrame(Canvas& canvas, const Box& b)
{
    int x = b.x, y = b.y, w = b.width, h = b.height;
    outline(canvas, b);
    for (int a = 2; a >= 1; --a)
        polyline(canvas, {{x - a, y + h + a}, {x - a, y - a}, {x + w + a, y - a}}, colour::grey);
    polyline(canvas, {{x + w + 2, y - 2}, {x + w + 2, y + h + 2}, {x - 2, y + h + 2}},
             colour::lightGrey);
}

void raisedFace(Canvas& canvas, const Box& b)
{
    face(canvas, b, colour::lightGrey, colour::grey);
}

void pressedFace(Canvas& canvas, const Box& b)
{
    face(canvas, b, colour::silver, colour::silver);
}

gdi::Colour lampColour(int lamp, bool lit)
{
    if (lamp == dial::targetLamp)
        return lit ? gdi::rgb(0, 255, 0) : gdi::rgb(0, 128, 0);
    if (lamp == dial::targetLamp - 1 || lamp == dial::targetLamp + 1)
        return lit ? gdi::rgb(255, 255, 0) : gdi::rgb(128, 128, 0);
    return lit ? gdi::rgb(255, 0, 0) : gdi::rgb(128, 0, 0);
}

void drawLamp(Canvas& canvas, int lamp, bool lit)
{
    const int L = dialLeft, B = dialBottom;
    const Brush fill = Brush::solid(lampColour(lamp, lit));
    if (lamp == dial::targetLamp) {
        canvas.ellipse(L + 174, B + 7, L + 186, B + 19, Pen::none(), fill);
        canvas.line(L + 178, B + 12, L + 180, B + 10, pen(gdi::white));
        canvas.arc(L + 174, B + 7, L + 186, B + 19, L + 177, B + 17, L + 181, B + 13,
                   pen(gdi::white));
        canvas.ellipse(L + 173, B + 6, L + 186, B + 19, pen(colour::grey), Brush::none());
        return;
    }
    const int x = L + 21 * lamp;
    canvas.ellipse(x + 8, B + 10, x + 16, B + 18, Pen::none(), fill);
    canvas.line(x + 9, B + 13, x + 11, B + 11, pen(gdi::white));
    canvas.arc(x + 8, B + 10, x + 16, B + 18, x + 10, B + 16, x + 14, B + 13, pen(gdi::white));
    canvas.ellipse(x + 7, B + 9, x + 16, B + 18, pen(colour::grey), Brush::none());
}

void drawNeedle(Canvas& canvas, int x)
{
    int top = needleTop(x);
    canvas.line(x, top, x, 38, pen(top == 13 ? colour::yellow : gdi::white));
}

void eraseNeedle(Canvas& canvas, int x)
{
    canvas.line(x, needleTop(x), x, 38, pen(gdi::black));
}

void drawTempoNumber(Canvas& canvas, int tempo)
{
    gdi::TextStyle style;
    style.font = {.face = "Courier",
                  .height = 13,
                  .width = 8,
                  .weight = 400,
                  .family = gdi::FontFamily::Modern,
                  .fixedPitch = true};
    style.colour = gdi::black;
    style.background = gdi::white;
    style.opaque = true;
    style.hAlign = gdi::HAlign::Centre;
    style.vAlign = gdi::VAlign::Baseline;
    int x = tempoBox.x + tempoBox.width / 2;
    int y = tempoBox.y + tempoBox.height / 2 + 5;
    char text[16];
    std::snprintf(text, sizeof text, "%3d", tempo);
    canvas.text(x, y, "   ", style);
    canvas.text(x, y, text, style);
}

void moveThumb(Canvas& canvas, int oldX, int newX, int tempo)
{
    fillThumbArea(canvas, oldX);
    redrawGroove(canvas, oldX, oldX + TempoSlider::thumbWidth + 1);
    drawThumb(canvas, newX);
    drawTempoNumber(canvas, tempo);
}

void drawMetronomeCaption(Canvas& canvas, bool running)
{
    canvas.text(200, 78, "Metronome", captionStyle(running ? gdi::white : gdi::black));
}

void drawStatusLines(Canvas& canvas, const std::string& steadiness, const std::string& runs)
{
    gdi::TextStyle style;
    style.font = {.face = "Arial",
                  .height = 12,
                  .width = 5,
                  .weight = 400,
                  .family = gdi::FontFamily::Roman,
                  .fixedPitch = true};
    style.colour = colour::statusText;
    style.background = colour::statusBackground;
    style.opaque = true;
    style.hAlign = gdi::HAlign::Centre;
    canvas.fill(2, 181, 386, 37, colour::statusBackground);
    canvas.text(200, 184, steadiness, style);
    canvas.text(200, 200, runs, style);
}

void drawInstruction(Canvas& canvas)
{
    gdi::TextStyle style;
    style.font = {.face = "Helv", .height = 14, .width = 6, .weight = 400};
    style.colour = colour::yellow;
    style.background = gdi::black;
    style.opaque = true;
    style.hAlign = gdi::HAlign::Centre;
    canvas.text(200, 17, instruction, style);
}

void blankDial(Canvas& canvas)
{
    canvas.fill(dialLeft + 10, dialTop + 3, dialRight - dialLeft - 20, dialBottom - dialTop - 6,
                gdi::black);
}

void paintWindow(Canvas& canvas, const WindowState& state)
{
    canvas.fill(0, 0, clientWidth, clientHeight, colour::windowBackground);
    drawGroove(canvas);
    drawThumb(canvas, state.thumbX);

    canvas.fill(tempoBox.x, tempoBox.y, tempoBox.width, tempoBox.height, gdi::white);
    sunkenFrame(canvas, tempoBox);
    drawTempoNumber(canvas, state.tempo);

    sunkenFrame(canvas, metronomeButton);
    raisedFace(canvas, metronomeButton);

    dial(canvas);
    for (int lamp = 0; lamp < dial::lampCount; ++lamp)
        drawLamp(canvas, lamp, false);

    polyline(canvas, {{1, clientHeight - 2}, {1, 1}, {clientWidth, 1}}, gdi::white);
    // The status area is filled before its two edge lines are drawn, so that
    // the black line at 180 stays visible above it.
    canvas.fill(0, 179, clientWidth, clientHeight - 179, colour::statusBackground);
    canvas.line(0, 178, clientWidth, 178, pen(gdi::white));
    canvas.line(0, 180, clientWidth, 180, pen(gdi::black));

    drawMetronomeCaption(canvas, state.metronomeRunning);
    canvas.text(50, 65, "Early", captionStyle(gdi::black));
    canvas.text(345, 65, "Late", captionStyle(gdi::black));
    canvas.text(382, 156, "?", captionStyle(gdi::black));
    sunkenFrame(canvas, helpButton);
    raisedFace(canvas, helpButton);

    if (state.showStatus)
        drawStatusLines(canvas, state.steadiness, state.runs);
}

} // namespace display
