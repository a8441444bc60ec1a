#pragma once

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMouseEvent>

#include <functional>

// Runs the event loop until `done` holds or `ms` have passed; true if it held.
inline bool waitUntil(const std::function<bool()>& done, int ms = 5000)
{
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > ms)
            return false;
        QApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return true;
}

inline void waitFor(int ms)
{
    waitUntil([] { return false; }, ms);
}

inline void sendKey(QWidget& w, QEvent::Type type, int key, bool autoRepeat = false)
{
    QKeyEvent event(type, key, Qt::NoModifier, key < 0x100 ? QString(QChar(key)) : QString(),
                    autoRepeat);
    QApplication::sendEvent(&w, &event);
}

inline void tapKey(QWidget& w, int key)
{
    sendKey(w, QEvent::KeyPress, key);
    sendKey(w, QEvent::KeyRelease, key);
}

inline void sendMouse(QWidget& w, QEvent::Type type, int x, int y)
{
    Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, QPointF(x, y), w.mapToGlobal(QPointF(x, y)), button, held,
                      Qt::NoModifier);
    QApplication::sendEvent(&w, &event);
}
