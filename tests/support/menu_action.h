// Finds a popup-menu entry by its text, in submenus too.
#pragma once

#include <QMenu>

inline QAction* findAction(const QMenu& menu, const QString& text)
{
    for (QAction* a : menu.actions()) {
        if (a->text() == text)
            return a;
        if (a->menu())
            if (QAction* inner = findAction(*a->menu(), text))
                return inner;
    }
    return nullptr;
}
