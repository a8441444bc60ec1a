#pragma once

#include "platform/gdi/back_buffered_widget.h"

#include <functional>

// The drawn background of a settings page: a back-buffered layer under all
// the page's controls, in the page's own coordinates. It lets mouse events
// through to the page, which does the hit testing.
class PageSurface : public gdi::BackBufferedWidget {
public:
    using Painter = std::function<void(gdi::Canvas&)>;

    // Covers `page`, below every control made before or after it.
    PageSurface(QWidget* page, Painter painter);

    // Follows the page's size; the page calls this from its resize handler.
    void coverPage();

    // The page's background colour, as the canvas takes it.
    gdi::Colour background() const;

protected:
    void paintWindow(gdi::Canvas& canvas) override;

private:
    Painter painter_;
};
