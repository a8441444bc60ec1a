#include "core/main_frame.h"

#include "core/drill_engine.h"
#include "core/version.h"

#include "render/staff_panel.h"

#include <QCloseEvent>

CMainFrame::CMainFrame(DrillEngine& engine, QWidget* parent)
    : gdi::BackBufferedWidget(parent), engine_(engine)
{
    setWindowTitle(titleText);
    setFixedSize(clientWidth, clientHeight);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void CMainFrame::paintWindow(gdi::Canvas& dc)
{
    dc.fill(0, 0, dc.width(), dc.height(), gdi::black);
    dc.fill(0, 0, dc.width(), dc.height(), colours_[colour::windowBackground]);
    const Settings& s = engine_.settings;
    const StaffLayout layout = drawStaffPanel(dc, colours_, bitmaps_,
                                              {.noteName = s.noteName,
                                               .range = s.range,
                                               .scale = s.scale,
                                               .mode = s.mode,
                                               .keySignature = engine_.keySignature,
                                               .noteCount = s.melosize});
    engine_.melodyStaffBase = static_cast<std::int16_t>(layout.melodyStaffBase);
    engine_.answerStaffBase = static_cast<std::int16_t>(layout.answerStaffBase);
    engine_.keySignature = layout.keySignature;
    engine_.keyAccidental = layout.keyAccidental;
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
