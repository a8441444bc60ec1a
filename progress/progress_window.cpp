#include "progress/progress_window.h"

#include <QKeyEvent>
#include <QMouseEvent>

#include <algorithm>

ProgressWindow::ProgressWindow(const QString& caption, PageSource pageFor, QWidget* owner)
    : gdi::BackBufferedWidget(owner, kProgressPageSize), pageFor_(std::move(pageFor))
{
    setWindowFlag(Qt::Window);
    setWindowTitle(caption);
    setFocusPolicy(Qt::StrongFocus);
}

void ProgressWindow::present(int scale)
{
    page_ = pageFor_(kProgressPeriods[std::size_t(periodIndex_)]);
    presentOverOwner(scale);
}

void ProgressWindow::paintWindow(gdi::Canvas& dc)
{
    drawProgressPage(dc, page_, periodIndex_);
}

void ProgressWindow::choosePeriod(int index)
{
    index = std::clamp(index, 0, int(kProgressPeriods.size()) - 1);
    if (index == periodIndex_)
        return;
    periodIndex_ = index;
    page_ = pageFor_(kProgressPeriods[std::size_t(index)]);
    drawProgressPage(canvas(), page_, periodIndex_);
}

void ProgressWindow::keyPressEvent(QKeyEvent* event)
{
    const int last = int(kProgressPeriods.size()) - 1;
    switch (event->key()) {
    case Qt::Key_1:
    case Qt::Key_2:
    case Qt::Key_3:
    case Qt::Key_4:
        choosePeriod(event->key() - Qt::Key_1);
        break;
    case Qt::Key_Left:
        choosePeriod(periodIndex_ - 1);
        break;
    case Qt::Key_Right:
        choosePeriod(periodIndex_ + 1);
        break;
    case Qt::Key_Home:
        choosePeriod(0);
        break;
    case Qt::Key_End:
        choosePeriod(last);
        break;
    case Qt::Key_F5:
        page_ = pageFor_(kProgressPeriods[std::size_t(periodIndex_)]);
        drawProgressPage(canvas(), page_, periodIndex_);
        break;
    case Qt::Key_Escape:
        close();
        break;
    default:
        gdi::BackBufferedWidget::keyPressEvent(event);
    }
}

void ProgressWindow::mousePressEvent(QMouseEvent* event)
{
    // Mouse events arrive in drawn coordinates (see BackBufferedWidget).
    if (event->button() == Qt::LeftButton)
        if (const std::optional<int> tab = periodTabAt(event->position().toPoint()))
            choosePeriod(*tab);
}
