#include "platform/gdi/artwork_loader.h"

#include <QFile>
#include <QPixmap>
#include <QString>

#include <array>

namespace gdi {
namespace {

struct Alias {
    const char* number;
    const char* name;
};
constexpr std::array<Alias, 4> numericNames{{
    {"172", "micbutton"},
    {"146", "keyboard_cursor"},
    {"147", "pressed_key_cursor"},
    {"149", "hand_cursor"},
}};

struct HotSpot {
    const char* name;
    int x, y;
};
constexpr std::array<HotSpot, 3> hotSpots{{
    {"keyboard_cursor", 6, 0},
    {"pressed_key_cursor", 6, 4},
    {"hand_cursor", 8, 0},
}};

QString resourcePath(std::string_view name)
{
    QString key = QString::fromUtf8(name.data(), qsizetype(name.size())).toLower();
    for (const auto& alias : numericNames)
        if (key == QLatin1String(alias.number))
            key = QLatin1String(alias.name);
    return QStringLiteral(":/artwork/") + key + QStringLiteral(".xpm");
}

} // namespace

QImage loadBitmap(std::string_view name)
{
    const QString path = resourcePath(name);
    if (!QFile::exists(path))
        return {};
    QImage image(path);
    if (image.isNull())
        return {};
    return image.convertToFormat(QImage::Format_RGB32);
}

QCursor loadCursor(std::string_view name)
{
    const QString path = resourcePath(name);
    QPixmap pixmap;
    if (!QFile::exists(path) || !pixmap.load(path))
        return QCursor(Qt::ArrowCursor);
    const QString key = path.section('/', -1).chopped(4);
    for (const auto& spot : hotSpots)
        if (key == QLatin1String(spot.name))
            return QCursor(pixmap, spot.x, spot.y);
    return QCursor(pixmap, 0, 0);
}

} // namespace gdi
