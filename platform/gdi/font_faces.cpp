#include "platform/gdi/font_faces.h"

#include <QFontMetrics>

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <mutex>
#include <strings.h>
#include <tuple>

namespace gdi {
namespace {

// How a face name of the programs is rendered here. The old bitmap faces ("Helv" is an alias
// of "MS Sans Serif"; "Pica" and "Elite" end up on the system's typewriter face) had no
// size below 13 pixels and kept their own widths, so requests for a tiny cell still give
// readable text, and the requested width is not forced on them.
struct FaceEntry {
    const char* face;
    const char* family;
    int minimumHeight;
    bool honoursWidth;
    QFont::StyleHint hint;
};

constexpr std::array<FaceEntry, 7> faceTable{{
    {"Helv", "Liberation Sans", 13, false, QFont::SansSerif},
    {"MS Sans Serif", "Liberation Sans", 13, false, QFont::SansSerif},
    {"Arial", "Liberation Sans", 0, true, QFont::SansSerif},
    {"Arial Narrow", "Liberation Sans Narrow", 0, true, QFont::SansSerif},
    {"Times New Roman", "Liberation Serif", 0, true, QFont::Serif},
    {"Pica", "Liberation Mono", 13, true, QFont::TypeWriter},
    {"Elite", "Liberation Mono", 13, true, QFont::TypeWriter},
}};

const FaceEntry* findFace(const std::string& face)
{
    for (const auto& entry : faceTable)
        if (strcasecmp(entry.face, face.c_str()) == 0)
            return &entry;
    return nullptr;
}

// Pixel size whose ascent + descent fits the cell height; measured once per family and
// height because QFontMetrics is not free.
int pixelSizeForCell(const QString& family, int cellHeight, int weight)
{
    static std::mutex guard;
    static std::map<std::tuple<QString, int, int>, int> cache;
    std::lock_guard lock(guard);
    const auto key = std::make_tuple(family, cellHeight, weight);
    if (auto it = cache.find(key); it != cache.end())
        return it->second;
    QFont font(family);
    font.setWeight(QFont::Weight(weight));
    int size = cellHeight;
    while (size > 1) {
        font.setPixelSize(size);
        if (QFontMetrics(font).height() <= cellHeight)
            break;
        --size;
    }
    cache[key] = size;
    return size;
}

// Average character width as GDI measures it for a request: the mean advance of the
// lower-case letters and the space (the modern OS/2 average over all glyphs is far wider).
double averageWidth(const QFont& font)
{
    return QFontMetrics(font).horizontalAdvance("abcdefghijklmnopqrstuvwxyz ") / 27.0;
}

QFont buildFont(const FontSpec& wanted);

} // namespace

std::string substituteFace(const std::string& face, FontFamily family)
{
    if (const FaceEntry* entry = findFace(face))
        return entry->family;
    switch (family) {
    case FontFamily::Modern:
        return "Liberation Mono";
    case FontFamily::Roman:
        return "Liberation Serif";
    default:
        return "Liberation Sans";
    }
}

void installFontSubstitutions()
{
    for (const auto& entry : faceTable)
        QFont::insertSubstitution(entry.face, entry.family);
}

QFont makeFont(const FontSpec& wanted)
{
    // Fitting the width measures the font twice: every drawn text would pay for it.
    static std::mutex guard;
    static std::map<std::tuple<std::string, int, int, int, bool, bool, int, bool>, QFont> cache;
    const auto key =
        std::make_tuple(wanted.face, wanted.height, wanted.width, wanted.weight, wanted.italic,
                        wanted.underline, int(wanted.family), wanted.fixedPitch);
    {
        std::lock_guard lock(guard);
        if (auto it = cache.find(key); it != cache.end())
            return it->second;
    }
    QFont font = buildFont(wanted);
    std::lock_guard lock(guard);
    cache.emplace(key, font);
    return font;
}

namespace {

QFont buildFont(const FontSpec& wanted)
{
    const FaceEntry* entry = findFace(wanted.face);
    const QString family = QString::fromStdString(substituteFace(wanted.face, wanted.family));
    const int weight = std::clamp(wanted.weight <= 0 ? 400 : wanted.weight, 100, 900);
    int cell = wanted.height < 0 ? -wanted.height * 115 / 100 : wanted.height;
    if (cell == 0)
        cell = 16;
    if (entry)
        cell = std::max(cell, entry->minimumHeight);

    QFont font(family);
    font.setStyleHint(entry                                 ? entry->hint
                      : wanted.family == FontFamily::Modern ? QFont::TypeWriter
                      : wanted.family == FontFamily::Roman  ? QFont::Serif
                                                            : QFont::SansSerif,
                      QFont::NoAntialias);
    font.setStyleStrategy(QFont::StyleStrategy(QFont::NoAntialias | QFont::NoSubpixelAntialias));
    font.setHintingPreference(QFont::PreferFullHinting);
    font.setWeight(QFont::Weight(weight));
    font.setItalic(wanted.italic);
    font.setUnderline(wanted.underline);
    font.setFixedPitch(wanted.fixedPitch);
    font.setPixelSize(pixelSizeForCell(family, cell, weight));

    const bool honoursWidth = entry ? entry->honoursWidth : true;
    if (honoursWidth && wanted.width > 0) {
        // Qt applies a stretch relative to the face's own width class, so measure the
        // result and correct once.
        int stretch = 100;
        for (int attempt = 0; attempt < 2; ++attempt) {
            const double current = averageWidth(font);
            if (current <= 0)
                break;
            stretch = std::clamp(int(std::lround(stretch * wanted.width / current)), 25, 400);
            font.setStretch(stretch);
        }
    }
    return font;
}

} // namespace
} // namespace gdi
