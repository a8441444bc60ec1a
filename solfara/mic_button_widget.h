#pragma once

#include <QImage>
#include <QWidget>

#include <functional>

// The small owner-drawn microphone button at (39, 409): four images side by
// side (listening, pressed; listening off, pressed). It never takes the
// keyboard focus, so the space bar cannot toggle it.
class MicButtonWidget final : public QWidget {
public:
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
