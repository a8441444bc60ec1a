#include "platform/gdi/artwork_loader.h"
#include "render/note_bitmaps.h"

#include <gtest/gtest.h>

namespace {

TEST(Artwork, EveryBitmapHasItsSize)
{
    const NoteBitmaps b = loadNoteBitmaps();
    EXPECT_EQ(b.sol.size(), QSize(24, 41));
    EXPECT_EQ(b.fa.size(), QSize(22, 30));
    EXPECT_EQ(b.rest.size(), QSize(7, 20));
    EXPECT_EQ(b.score.size(), QSize(32, 30));
    EXPECT_EQ(b.note.size(), QSize(10, 7));
    for (const QImage* n : {&b.note1, &b.note2, &b.note10, &b.note20})
        EXPECT_EQ(n->size(), QSize(10, 28));
    for (const QImage* a : {&b.becar, &b.diez, &b.bemol})
        EXPECT_EQ(a->size(), QSize(5, 14));
    EXPECT_EQ(b.congrats.size(), QSize(136, 14));
    for (int d = 0; d < 7; ++d) {
        EXPECT_EQ(b.shapes[d].size(), QSize(13, 9)) << d;
        EXPECT_EQ(b.highlightedShapes[d].size(), QSize(13, 9)) << d;
    }
    EXPECT_EQ(b.doshape.size(), QSize(16, 15));
    EXPECT_EQ(b.micButton.size(), QSize(104, 24));
}

TEST(Artwork, GlyphsAreBlackOnWhite)
{
    const NoteBitmaps b = loadNoteBitmaps();
    for (const QImage* glyph : {&b.sol, &b.fa, &b.rest, &b.note1, &b.diez, &b.bemol, &b.becar}) {
        EXPECT_EQ(glyph->format(), QImage::Format_RGB32);
        EXPECT_EQ(glyph->pixel(glyph->width() - 1, 0) | 0xff000000u, 0xffffffffu);
        int black = 0;
        for (int y = 0; y < glyph->height(); ++y)
            for (int x = 0; x < glyph->width(); ++x)
                black += (glyph->pixel(x, y) & 0xffffff) == 0;
        EXPECT_GT(black, 10);
    }
    // The highlighted shapes are filled with cyan.
    EXPECT_EQ(b.highlightedShapes[4].pixel(6, 4) & 0xffffff, 0x00ffffu);
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
}

TEST(Artwork, CursorsCarryTheirHotSpots)
{
    const QCursor keyboard = gdi::loadCursor("146");
    EXPECT_EQ(keyboard.shape(), Qt::BitmapCursor);
    EXPECT_EQ(keyboard.hotSpot(), QPoint(6, 0));
    EXPECT_EQ(gdi::loadCursor("147").shape(), Qt::BitmapCursor);
    EXPECT_EQ(gdi::loadCursor("hand_cursor").hotSpot(), QPoint(8, 0));
    EXPECT_EQ(gdi::loadCursor("missing").shape(), Qt::ArrowCursor);
}

} // namespace
