#pragma once

#include <QWidget>

class DrillEngine;

// The trainer's main window. It shows the drill and, when it is closed by
// whatever means, runs the engine's save-and-release.
class CMainFrame : public QWidget {
    Q_OBJECT
public:
    static constexpr int clientWidth = 500;
    static constexpr int clientHeight = 494;

    explicit CMainFrame(DrillEngine& engine, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // The window is going away: settings and scales are written, devices closed.
    void onDestroy();

    DrillEngine& engine_;
};
