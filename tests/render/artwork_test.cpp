#include "platform/gdi/artwork_loader.h"
#include "render/note_bitmaps.h"

#include <gtest/gtest.h>

#include <string>

namespace {

int blackPixels(const QImage& glyph)
{
    int black = 0;
    for (int y = 0; y < glyph.height(); ++y)
        for (int x = 0; x < glyph.width(); ++x)
            black += (glyph.pixel(x, y) & 0xffffff) == 0;
    return black;
}

TEST(Artwork, EveryBitmapIsBlackOnWhiteAtItsSize)
{
    const struct {
        const char* name;
        QSize size;
    } table[] = {{"SOL", {24, 41}},       {"FA", {22, 30}},     {"REST", {7, 20}},
                 {"SCORE", {32, 30}},     {"NOTE", {10, 7}},    {"NOTE1", {10, 28}},
                 {"NOTE2", {10, 28}},     {"NOTE10", {10, 28}}, {"NOTE20", {10, 28}},
                 {"BECAR", {5, 14}},      {"DIEZ", {5, 14}},    {"BEMOL", {5, 14}},
                 {"CONGRATS", {136, 14}}, {"Doshape", {16, 15}}};
    for (const auto& [name, size] : table) {
        const QImage bitmap = gdi::loadBitmap(name);
        EXPECT_EQ(bitmap.size(), size) << name;
        EXPECT_EQ(bitmap.format(), QImage::Format_RGB32) << name;
        EXPECT_GT(blackPixels(bitmap), 10) << name;
    }
    const NoteBitmaps b = loadNoteBitmaps();
    for (int d = 0; d < 7; ++d) {
        EXPECT_EQ(b.shapes[d].size(), QSize(13, 9)) << d;
        EXPECT_EQ(b.highlightedShapes[d].size(), QSize(13, 9)) << d;
    }
    EXPECT_EQ(b.highlightedShapes[4].pixel(6, 4) & 0xffffff, 0x00ffffu); // filled with cyan
    for (const QImage* glyph : {&b.sol, &b.fa, &b.rest, &b.note1, &b.diez, &b.bemol, &b.becar})
        EXPECT_EQ(glyph->pixel(glyph->width() - 1, 0) & 0xffffff, 0xffffffu);
    // Staff-line pieces six pixels apart, 23 pixels long.
    for (int row : {0, 6, 12, 18, 24}) {
        EXPECT_EQ(b.score.pixel(22, row) & 0xffffff, 0u);
        EXPECT_EQ(b.score.pixel(23, row) & 0xffffff, 0xffffffu);
    }
}

TEST(Artwork, NamesAreMatchedWithoutRegardToCase)
{
    EXPECT_EQ(gdi::loadBitmap("note1"), gdi::loadBitmap("NOTE1"));
    EXPECT_FALSE(gdi::loadBitmap("Sol_Shape2").isNull());
    EXPECT_EQ(gdi::loadBitmap("172"), gdi::loadBitmap("MicButton"));
    EXPECT_TRUE(gdi::loadBitmap("no such bitmap").isNull());

    EXPECT_EQ(gdi::loadCursor("146").hotSpot(), QPoint(6, 0));
    EXPECT_EQ(gdi::loadCursor("147").shape(), Qt::BitmapCursor);
    EXPECT_EQ(gdi::loadCursor("hand_cursor").hotSpot(), QPoint(8, 0));
    EXPECT_EQ(gdi::loadCursor("missing").shape(), Qt::ArrowCursor);
}

} // namespace
