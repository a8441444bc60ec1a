#pragma once

#include <QSlider>

#include <functional>

// A horizontal slider 0..128 whose stored value follows the handle only when
// the mouse says so: when the left button is released over it, or while the
// mouse moves with the left button alone held (no other button or modifier
// key). Moving the handle with the keyboard changes its position but not its
// value; the next release or drag takes the position over.
class LevelSlider : public QSlider {
public:
    static constexpr int kMaximum = 128;

    // Position and value start at `initial`, shown within 0..128.
    explicit LevelSlider(int initial, QWidget* parent = nullptr);

    // The value last taken from the handle.
    int storedValue() const { return storedValue_; }
    // Moves the handle to `value` and takes it over, as a release there would.
    void storeValue(int value);
    // Called with the new value each time the handle's position is taken over.
    void onStored(std::function<void(int)> stored) { stored_ = std::move(stored); }

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void store();

    int storedValue_;
    std::function<void(int)> stored_;
};
