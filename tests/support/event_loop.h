#pragma once

#include <QCoreApplication>
#include <QTimer>

#include <chrono>

// Runs the Qt event loop until `done()` holds or `limit` has passed, and
// returns done(). The limit only guards against a hang: tests wait for what
// happens, never for a length of time.
template <typename Condition>
bool runEventsUntil(Condition done, std::chrono::milliseconds limit = std::chrono::seconds(10))
{
    const auto deadline = std::chrono::steady_clock::now() + limit;
    QTimer tick; // wakes the loop to look again
    tick.start(2);
    while (!done() && std::chrono::steady_clock::now() < deadline)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    return done();
}
