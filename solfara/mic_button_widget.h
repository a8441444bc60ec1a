#pragma once

#include "render/mic_button.h"

#include <QImage>
#include <QWidget>

#include <functional>

// The small owner-drawn microphone button: four images side by
// side (listening, pressed; listening off, pressed). It never takes the
// keyboard focus, so the space bar cannot toggle it.
class MicButtonWidget final : public QWidget {
public:
    // Its place in the window's drawing (the window places it there at every scale).
    static constexpr QRect drawnPlace{39, 409, kMicFrameWidth, 24};

    MicButtonWidget(const QImage& strip, QWidget* parent);

    // What the button shows: listening switched off or on.
    void setMicOff(bool off);
    bool micOff() const { return micOff_; }

    // A click (press and release inside the button).
    std::function<void()> clicked;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    const QImage& strip_;
    bool micOff_ = false;
    bool selected_ = false;
};
