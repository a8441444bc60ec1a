#include "core/main_frame.h"

#include "core/drill_engine.h"
#include "core/version.h"

#include <QCloseEvent>
#include <QPainter>

CMainFrame::CMainFrame(DrillEngine& engine, QWidget* parent) : QWidget(parent), engine_(engine)
{
    setWindowTitle(titleText);
    setFixedSize(clientWidth, clientHeight);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void CMainFrame::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    QWidget::closeEvent(event);
    if (event->isAccepted())
        onDestroy();
}

void CMainFrame::onDestroy()
{
    engine_.saveAndRelease();
}
