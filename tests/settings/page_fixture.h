#pragma once

#include "tests/settings/sheet_fixture.h"
#include "tests/support/recorded_messages.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

#include <string>
#include <tuple>
#include <vector>

// The sheet's surroundings with the MIDI output open on a recording port.
struct PageTest : SheetFixture {
    using Message = std::tuple<int, int, int>; // status, data 1, data 2
    RecordedMessages messages;

    PageTest() { static_cast<void>(midiOut.reopen(-1)); } // the recording port always opens

    // Every message since the last call.
    std::vector<Message> sent()
    {
        std::vector<Message> out;
        for (const auto& m : midiLog.messages())
            out.emplace_back(m.status(), m.data1(), m.data2());
        midiLog.clear();
        return out;
    }
};

// A button of the mouse going down or up at `at` on `widget`.
inline void mouse(QWidget* widget, QEvent::Type type, Qt::MouseButton button, QPoint at)
{
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : button;
    QMouseEvent event(type, QPointF(at), widget->mapToGlobal(QPointF(at)), button, held,
                      Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

inline void click(QWidget* widget, QPoint at, Qt::MouseButton button = Qt::LeftButton)
{
    mouse(widget, QEvent::MouseButtonPress, button, at);
    mouse(widget, QEvent::MouseButtonRelease, button, at);
}
