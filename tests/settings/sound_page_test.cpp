#include "settings/level_slider.h"
#include "tests/settings/page_fixture.h"
#include "tests/support/event_loop.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QMouseEvent>
#include <QPushButton>
#include <gtest/gtest.h>

#include <memory>

namespace {

// The output starts open on the mapper.
struct SoundPageTest : testing::Test, PageTest {};

TEST_F(SoundPageTest, ChoosingADeviceReopensTheOutputAtOnce)
{
    SettingsSheet sheet(context, SheetTab::Sound);
    auto* devices = control<QComboBox>(sheet, "midi");
    ASSERT_EQ(devices->count(), 3);
    EXPECT_EQ(devices->currentIndex(), 2); // -1 shows as the mapper, the last entry

    choose(devices, 1);
    EXPECT_EQ(sheet.workingCopy().midi, 1);
    EXPECT_EQ(midiSystem.openedDevices(), (std::vector<int>{-1, 1}));
    EXPECT_TRUE(midiOut.isOpen());

    choose(devices, 2);
    EXPECT_EQ(sheet.workingCopy().midi, -1);
    EXPECT_EQ(midiSystem.openedDevices(), (std::vector<int>{-1, 1, -1}));
    EXPECT_EQ(midiLog.closeCount(), 2); // the mapper, then the device of the first choice
}

TEST_F(SoundPageTest, AFailedReopenLeavesTheOutputClosedSilently)
{
    midiSystem.failOpen(0, "busy");
    SettingsSheet sheet(context, SheetTab::Sound);
    choose(control<QComboBox>(sheet, "midi"), 0);
    EXPECT_EQ(sheet.workingCopy().midi, 0);
    EXPECT_FALSE(midiOut.isOpen());
}

TEST_F(SoundPageTest, ChoosingATimbreSendsItsProgramOnBothChannels)
{
    SettingsSheet sheet(context, SheetTab::Sound);
    auto* timbres = control<QComboBox>(sheet, "miditimbre");
    ASSERT_EQ(timbres->count(), 3);
    EXPECT_EQ(timbres->itemText(0), "Piano"); // CR LF line end removed
    choose(timbres, 2);
    EXPECT_EQ(sheet.workingCopy().miditimbre, 2);
    EXPECT_EQ(sent(), (std::vector<Message>{{0xC0, 2, 100}, {0xCC, 2, 100}}));
}

// A mouse event straight to the slider, as the window system delivers it.
void sendMouse(QWidget* widget, QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons held,
               Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    const QPointF at(2, widget->height() / 2);
    QMouseEvent event(type, at, widget->mapToGlobal(at), button, held, modifiers);
    QApplication::sendEvent(widget, &event);
}

TEST_F(SoundPageTest, SlidersStoreOnMouseReleaseOrLeftDragOnlyNotOnKeys)
{
    context.settings.micFilter = 10;
    SettingsSheet sheet(context, SheetTab::Sound);
    auto* filter = control<LevelSlider>(sheet, "micFilter");
    pressKey(filter, Qt::Key_Right);
    pressKey(filter, Qt::Key_Right);
    EXPECT_EQ(filter->sliderPosition(), 12);
    EXPECT_EQ(sheet.workingCopy().micFilter, 10) << "keys alone store nothing";

    sendMouse(filter, QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(sheet.workingCopy().micFilter, 12) << "a release takes the position";

    pressKey(filter, Qt::Key_Right);
    sendMouse(filter, QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, Qt::ShiftModifier);
    sendMouse(filter, QEvent::MouseMove, Qt::NoButton, Qt::LeftButton | Qt::RightButton);
    sendMouse(filter, QEvent::MouseMove, Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(sheet.workingCopy().micFilter, 12) << "only a plain left drag stores";
    sendMouse(filter, QEvent::MouseMove, Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(sheet.workingCopy().micFilter, 13);

    auto* gain = control<LevelSlider>(sheet, "micVol");
    pressKey(gain, Qt::Key_Left);
    sendMouse(gain, QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(sheet.workingCopy().micVol, 62);
}

TEST_F(SoundPageTest, VolumeReachesTheSettingsOnlyThroughOk)
{
    context.settings.midiVol = 100;
    SettingsSheet sheet(context, SheetTab::Sound);
    auto* volume = control<LevelSlider>(sheet, "midiVol");
    sendMouse(volume, QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton);
    pressKey(volume, Qt::Key_Left);
    EXPECT_EQ(sheet.workingCopy().midiVol, 100);
    EXPECT_EQ(sheet.volumeSliderPosition(), 99);
}

TEST_F(SoundPageTest, TestPlaysMiddleCForHalfASecondAtTheStoredVolumeAsAValidVelocity)
{
    // 128, the slider's top, is one above a MIDI data byte.
    for (auto [volume, velocity] : {std::pair{80, 80}, {128, 127}}) {
        context.settings.midiVol = volume;
        SettingsSheet sheet(context, SheetTab::Sound);
        pressKey(control<LevelSlider>(sheet, "midiVol"), Qt::Key_Left); // position only
        control<QPushButton>(sheet, "test")->click();
        EXPECT_EQ(sent(), (std::vector<Message>{{0x90, 60, velocity}})) << volume;
        ASSERT_TRUE(runEventsUntil([&] { return midiLog.messages().size() == 1; }));
        EXPECT_EQ(sent(), (std::vector<Message>{{0x80, 60, velocity}})) << volume;
    }
}

TEST_F(SoundPageTest, ClosingTheSheetWhileTheTestNoteSoundsStopsIt)
{
    {
        SettingsSheet sheet(context, SheetTab::Sound);
        control<QPushButton>(sheet, "test")->click();
    }
    EXPECT_EQ(sent().back(), (Message{0x80, 60, 100}));
}

TEST_F(SoundPageTest, SettingsOutsideTheListsAreShownClamped)
{
    struct Row {
        const char* name;
        std::function<void(Settings&)> set;
        const char* control;
        int shown;
    };
    const Row rows[] = {
        {"cycles 0", [](Settings& s) { s.cycles = 0; }, "cycles", 0},
        {"cycles 200", [](Settings& s) { s.cycles = 200; }, "cycles", 8},
        {"A 999", [](Settings& s) { s.A = 999; }, "A", 20},
        {"device past the list", [](Settings& s) { s.midi = 7; }, "midi", 2},
        {"timbre past the list", [](Settings& s) { s.miditimbre = 127; }, "miditimbre", 2},
        {"melosize 0", [](Settings& s) { s.melosize = 0; }, "melosize", 0},
        {"transpose 99", [](Settings& s) { s.transpose = 99; }, "transpose", 48},
        {"mode past the scales", [](Settings& s) { s.mode = 60; }, "mode", 13},
        {"custMelody past the file", [](Settings& s) { s.custMelody = 9; }, "custMelody", 2},
        {"notation 5 reads as Do-Re-Mi", [](Settings& s) { s.notation = 5; }, "notation", 1},
        {"level -3", [](Settings& s) { s.level = -3; }, "level", 0},
    };
    for (const auto& row : rows) {
        Settings stored;
        row.set(stored);
        context.settings = stored;
        SettingsSheet sheet(context, SheetTab::General);
        EXPECT_EQ(control<QComboBox>(sheet, row.control)->currentIndex(), row.shown) << row.name;
        EXPECT_EQ(sheet.workingCopy(), stored) << row.name;
    }
}

TEST_F(SoundPageTest, SlidersShowStoredLevelsWithinTheirRange)
{
    context.settings.midiVol = 300;
    context.settings.micFilter = -5;
    SettingsSheet sheet(context, SheetTab::Sound);
    EXPECT_EQ(control<LevelSlider>(sheet, "midiVol")->sliderPosition(), 128);
    EXPECT_EQ(control<LevelSlider>(sheet, "micFilter")->sliderPosition(), 0);
    EXPECT_EQ(sheet.volumeSliderPosition(), 128);
}

TEST_F(SoundPageTest, WithoutTimbreFileOrDevicesThePageStillWorks)
{
    std::filesystem::remove(dir.file("midpatch.h"));
    context.midiDeviceNames.clear();
    SettingsSheet sheet(context, SheetTab::Sound);
    EXPECT_EQ(control<QComboBox>(sheet, "miditimbre")->count(), 0);
    EXPECT_EQ(control<QComboBox>(sheet, "midi")->count(), 0);
    choose(control<QComboBox>(sheet, "cycles"), 2);
    EXPECT_EQ(sheet.workingCopy().cycles, 3);
}

} // namespace
