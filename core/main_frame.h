#pragma once

#include "platform/gdi/back_buffered_widget.h"
#include "render/colours.h"
#include "render/note_bitmaps.h"

class DrillEngine;

// The trainer's main window. It shows the drill and, when it is closed by
// whatever means, runs the engine's save-and-release.
class CMainFrame : public gdi::BackBufferedWidget {
    Q_OBJECT
public:
    static constexpr int clientWidth = 500;
    static constexpr int clientHeight = 494;

    explicit CMainFrame(DrillEngine& engine, QWidget* parent = nullptr);

protected:
    // Draws the window into its back buffer: black, the window background and the staff
    // panel for the current settings.
    void paintWindow(gdi::Canvas& dc) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // The window is going away: settings and scales are written, devices closed.
    void onDestroy();

    DrillEngine& engine_;
    ColourTable colours_ = fillColours();
    NoteBitmaps bitmaps_ = loadNoteBitmaps();
};
