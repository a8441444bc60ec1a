#include "settings/page_surface.h"

#include <QPalette>

PageSurface::PageSurface(QWidget* page, Painter painter)
    : gdi::BackBufferedWidget(page), painter_(std::move(painter))
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    coverPage();
    lower();
}

void PageSurface::coverPage()
{
    setGeometry(parentWidget()->rect());
    lower();
}

gdi::Colour PageSurface::background() const
{
    return parentWidget()->palette().color(QPalette::Window).rgb();
}

void PageSurface::paintWindow(gdi::Canvas& canvas)
{
    canvas.fill(0, 0, canvas.width(), canvas.height(), background());
    painter_(canvas);
}
