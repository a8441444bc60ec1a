#pragma once

#include <QObject>

class QSocketNotifier;

// Turns SIGINT, SIGTERM and SIGHUP into a Qt signal on the GUI thread, so the
// program can close its window and save as on any other exit. The signal
// handler only writes one byte into a pipe (the one thing that is safe to do
// there); a socket notifier reads it in the event loop. Signals that arrive
// before the event loop runs wait in the pipe.
//
// One instance per process; destroying it restores the default handlers.
class TerminationSignals : public QObject {
    Q_OBJECT
public:
    explicit TerminationSignals(QObject* parent = nullptr);
    ~TerminationSignals() override;

    // False when the pipe could not be made; the signals then keep their
    // default behaviour.
    bool installed() const { return notifier_ != nullptr; }

signals:
    // Emitted once for the first termination signal; later ones are ignored.
    void terminationRequested(int signalNumber);

private:
    void readPipe();

    QSocketNotifier* notifier_ = nullptr;
    bool emitted_ = false;
};
