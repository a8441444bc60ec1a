#pragma once

#include <QFont>
#include <QRect>

// Converts dialog units into pixels for the dialog font, the way dialog
// templates are laid out: a horizontal unit is a quarter of the font's
// average character width, a vertical unit an eighth of its height. Every
// control of the settings pages is placed through this one helper.
class DialogUnits {
public:
    // Base units measured from `font`.
    explicit DialogUnits(const QFont& font);
    // Base units given directly (average character width, character height).
    DialogUnits(int baseWidth, int baseHeight) : baseWidth_(baseWidth), baseHeight_(baseHeight) {}

    // The font of the settings dialogs: "MS Sans Serif" 8 point (13-pixel cells).
    static QFont dialogFont();
    // Base units of dialogFont(), measured once.
    static const DialogUnits& forDialogFont();

    int x(int units) const { return units * baseWidth_ / 4; }
    int y(int units) const { return units * baseHeight_ / 8; }
    QRect rect(int left, int top, int width, int height) const;
    QSize size(int width, int height) const { return {x(width), y(height)}; }

    int baseWidth() const { return baseWidth_; }
    int baseHeight() const { return baseHeight_; }

private:
    int baseWidth_;
    int baseHeight_;
};
