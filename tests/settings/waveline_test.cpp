#include "settings/level_slider.h"
#include "settings/voice_waveline.h"
#include "tests/settings/sheet_fixture.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTabWidget>
#include <gtest/gtest.h>

#include <array>
#include <cstdint>

namespace {

// The waveline of a 117-pixel-high frame: h = 58, middle row 58.
struct Waveline {
    QImage image{117, 117, QImage::Format_RGB32};
    gdi::Canvas canvas{image};
    gdi::Colour at(int x, int y) const { return canvas.pixel(x, y); }
    // Rows of column x in `colour`.
    std::vector<int> rowsOf(int x, gdi::Colour colour) const
    {
        std::vector<int> rows;
        for (int y = 0; y < image.height(); ++y)
            if (at(x, y) == colour)
                rows.push_back(y);
        return rows;
    }
};

TEST(VoiceWaveline, EachSampleIsOneCyanPixelAboveOrBelowTheMiddle)
{
    Waveline w;
    // v = +64, 0, -128, and 255 which counts as 0.
    const std::array<std::uint8_t, 4> block = {192, 128, 0, 255};
    drawVoiceWaveline(w.canvas, w.image.rect(), block, 63, 0);
    EXPECT_EQ(w.rowsOf(0, kWavelineColour), (std::vector<int>{44})); // 64*58/128 = 29, *63/128 = 14
    EXPECT_TRUE(w.rowsOf(1, kWavelineColour).empty());
    EXPECT_EQ(w.rowsOf(2, kWavelineColour), (std::vector<int>{86})); // -58*63/128 = -28
    EXPECT_TRUE(w.rowsOf(3, kWavelineColour).empty());
    EXPECT_EQ(w.rowsOf(4, gdi::black).size(), 117u) << "columns past the block stay black";
}

TEST(VoiceWaveline, TheFilterBandScalesWithTheFilter)
{
    struct Row {
        int filter;
        int firstRow, rows;
    };
    const Row rows[] = {{0, 0, 0}, {10, 54, 8}, {64, 29, 58}, {128, 0, 116}, {500, 0, 116}};
    for (const auto& row : rows) {
        Waveline w;
        const std::array<std::uint8_t, 1> silence = {128};
        drawVoiceWaveline(w.canvas, w.image.rect(), silence, 63, row.filter);
        const auto band = w.rowsOf(60, kFilterBandColour);
        ASSERT_EQ(int(band.size()), row.rows) << "filter " << row.filter;
        if (!band.empty()) {
            EXPECT_EQ(band.front(), row.firstRow) << "filter " << row.filter;
            EXPECT_EQ(band.back(), row.firstRow + row.rows - 1) << "filter " << row.filter;
        }
    }
}

TEST(VoiceWaveline, TheGainScalesTheWave)
{
    Waveline w;
    const std::array<std::uint8_t, 2> block = {0, 254}; // -128 and +126
    drawVoiceWaveline(w.canvas, w.image.rect(), block, 128, 10);
    EXPECT_EQ(w.rowsOf(0, kWavelineColour), (std::vector<int>{116}));
    EXPECT_EQ(w.rowsOf(1, kWavelineColour), (std::vector<int>{1}));

    drawVoiceWaveline(w.canvas, w.image.rect(), block, 0, 10);
    EXPECT_TRUE(w.rowsOf(0, kWavelineColour).empty());
    EXPECT_EQ(w.rowsOf(0, kFilterBandColour).size(), 8u);
}

struct SheetWavelineTest : testing::Test, SheetFixture {};

TEST_F(SheetWavelineTest, MicrophoneBlocksReachTheWavelineOnlyWhileTheSoundTabShows)
{
    SettingsSheet sheet(context, SheetTab::General);
    EXPECT_FALSE(microphone);
    sheet.showTab(SheetTab::Sound);
    ASSERT_TRUE(microphone);
    sheet.showTab(SheetTab::Scales);
    EXPECT_FALSE(microphone);
    sheet.showTab(SheetTab::Sound);
    sheet.reject();
    EXPECT_FALSE(microphone) << "closing stops the waveline";
}

TEST_F(SheetWavelineTest, FilterSliderMovesTheBandAtTheNextBlock)
{
    context.settings.micFilter = 0;
    SettingsSheet sheet(context, SheetTab::Sound);
    ASSERT_TRUE(microphone);
    auto* view = control<VoiceWavelineView>(sheet, "waveline");
    const std::array<std::uint8_t, 1> silence = {128};
    microphone(silence);
    const int middle = view->height() / 2;
    EXPECT_EQ(view->backBuffer().pixel(5, middle), gdi::black);

    auto* filter = control<LevelSlider>(sheet, "micFilter");
    for (int i = 0; i < 64; ++i)
        pressKey(filter, Qt::Key_Right);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(1, 1), QPointF(1, 1), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(filter, &release);
    EXPECT_EQ(view->backBuffer().pixel(5, middle), gdi::black) << "drawn only from blocks";
    microphone(silence);
    EXPECT_EQ(view->backBuffer().pixel(5, middle), kFilterBandColour);
    EXPECT_EQ(view->backBuffer().pixel(5, middle - middle / 2), kFilterBandColour);
    EXPECT_EQ(view->backBuffer().pixel(5, 0), gdi::black);
}

} // namespace
