#include "solfara/answer_panel_mouse.h"

bool AnswerPanelMouse::press(gdi::Canvas& dc, int x, int y, const PanelContext& context,
                             PanelCursor& cursor)
{
    if (!panel_.contains(x, y))
        return false;
    panel_.pressAt(dc, x, y, context);
    held_ = true;
    outside_ = false;
    cursor = PanelCursor::PressedKey;
    return true;
}

PanelCursor AnswerPanelMouse::move(gdi::Canvas& dc, int x, int y, const PanelContext& context)
{
    const bool inside = panel_.contains(x, y);
    const bool crossed = inside == outside_;
    outside_ = !inside;
    if (held_) {
        if (!crossed) {
            if (inside)
                panel_.slideTo(dc, x, y, context);
            return PanelCursor::Unchanged;
        }
        if (!inside) {
            panel_.release(dc);
            return PanelCursor::Arrow;
        }
        panel_.pressAt(dc, x, y, context);
        return PanelCursor::PressedKey;
    }
    if (!crossed)
        return PanelCursor::Unchanged;
    return inside ? PanelCursor::Keyboard : PanelCursor::Arrow;
}

AnswerPanelMouse::Released AnswerPanelMouse::release(gdi::Canvas& dc)
{
    if (!held_)
        return {};
    held_ = false;
    panel_.release(dc);
    Released out;
    out.cursor = outside_ ? PanelCursor::Arrow : PanelCursor::Keyboard;
    // A correct note counts even when the pointer was dragged off the panel before the
    // release: it was pressed and heard.
    out.accept = panel_.correct();
    panel_.clearCorrect();
    return out;
}
