#pragma once

#include "platform/gdi/back_buffered_widget.h"
#include "render/progress_page.h"

#include <QString>

#include <functional>

// The Progress window both programs open: one page of charts, drawn through
// render/, for one of four periods. The keys 1 to 4, Left and Right, Home and
// End or a click on a tab choose the period; F5 reads the history again;
// Escape closes the window. It is shown at the scale of the window that
// opens it, each drawn pixel a square of screen pixels like that window's.
class ProgressWindow final : public gdi::BackBufferedWidget {
public:
    // Makes the page for a period of `days` days, reading the history afresh.
    using PageSource = std::function<ProgressPage(int days)>;

    ProgressWindow(const QString& caption, PageSource pageFor, QWidget* owner);

    // Shows the window at `scale` with the page read afresh; raised when it shows already.
    void present(int scale);

    int periodIndex() const { return periodIndex_; }
    const ProgressPage& page() const { return page_; }

protected:
    void paintWindow(gdi::Canvas& dc) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void choosePeriod(int index);

    PageSource pageFor_;
    ProgressPage page_;
    int periodIndex_ = 1; // 30 days: a month at a glance
};
