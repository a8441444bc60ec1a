#include "settings/dialog_units.h"

#include "platform/gdi/font_faces.h"

#include <QFontMetrics>

namespace {

// The average character width of a font, measured over the 52 letters and
// rounded, as dialog templates measure it.
int averageCharacterWidth(const QFontMetrics& metrics)
{
    const int letters =
        metrics.horizontalAdvance("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    return (letters / 26 + 1) / 2;
}

} // namespace

DialogUnits::DialogUnits(const QFont& font)
{
    const QFontMetrics metrics(font);
    baseWidth_ = averageCharacterWidth(metrics);
    baseHeight_ = metrics.height();
}

QFont DialogUnits::dialogFont()
{
    gdi::installFontSubstitutions();
    QFont font = gdi::makeFont(gdi::FontSpec{.face = "MS Sans Serif", .height = 13});
    // Dialog text is read, not measured pixel by pixel: let it be smooth.
    font.setStyleStrategy(QFont::PreferDefault);
    return font;
}

const DialogUnits& DialogUnits::forDialogFont()
{
    static const DialogUnits units(dialogFont());
    return units;
}

QRect DialogUnits::rect(int left, int top, int width, int height) const
{
    return {x(left), y(top), x(width), y(height)};
}
