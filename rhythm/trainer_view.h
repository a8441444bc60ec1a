#pragma once

#include <string>

// What the trainer asks of its window: the drawing routines of the display and
// the few window services it needs. All calls come on the GUI thread.
class TrainerView {
public:
    virtual ~TrainerView() = default;

    // Blacks out the inside of the dial, taking the instruction away.
    virtual void blankDial() = 0;
    virtual void drawNeedle(int x) = 0;
    virtual void eraseNeedle(int x) = 0;
    virtual void drawLamp(int lamp, bool lit) = 0;
    virtual void drawStatusLines(const std::string& steadiness, const std::string& runs) = 0;
    virtual void repaintAll() = 0;
    virtual void showResults(const std::string& text) = 0;

    // Takes the slider thumb away from `oldX`, draws it at `newX` with its tempo.
    virtual void moveThumb(int oldX, int newX) = 0;
    virtual void drawMetronomeButton(bool pressed) = 0;
    virtual void drawMetronomeCaption(bool running) = 0;
    virtual void drawHelpButton(bool pressed) = 0;
    virtual void openHelp() = 0;

    // The paging timer: a call of `pagingTick` every 10 ms while it runs.
    virtual void setPagingTimer(bool running) = 0;
};
