#include "drill/own_settings_file.h"
#include "settings/trainer_sheet_opener.h"
#include "tests/settings/sheet_fixture.h"
#include "tests/support/main_window_rig.h"

#include <QComboBox>
#include <QRadioButton>
#include <QTabWidget>
#include <gtest/gtest.h>

#include <functional>

namespace {

// The main window with the real settings sheet behind its Settings button.
class TrainerSheetTest : public testing::Test {
protected:
    MainWindowRig w;

    void SetUp() override
    {
        w.openSettingsSheet = [this](const SheetHost& host) {
            return trainerSheetOpener(*w.engine, w.rig.midiOut, w.detector)(host);
        };
    }

    // Clicks Settings; once the sheet shows, `user` acts on it and then
    // `button` closes it. Returns the page the sheet opened on.
    SheetTab useSettings(const std::function<void(SettingsSheet&)>& user,
                         QDialogButtonBox::StandardButton button)
    {
        SheetTab openedOn{};
        whenSheetShows(openedOn, user, button);
        const PushButton& settings = w.frame->buttons().settingsButton;
        w.click(settings.left + settings.width / 2, settings.top + settings.height / 2);
        return openedOn;
    }
};

TEST_F(TrainerSheetTest, OnlyOkChangesTheDrill)
{
    ASSERT_TRUE(w.start());
    w.hear(24);
    w.hear(24);
    ASSERT_EQ(w.drill().currentNoteIndex(), 1);

    const SheetTab tab = useSettings(
        [](SettingsSheet& sheet) {
            sheet.findChild<QTabWidget*>()->setCurrentIndex(int(SheetTab::Sound) - 1);
        },
        QDialogButtonBox::Cancel);
    EXPECT_EQ(tab, SheetTab::General);
    ASSERT_TRUE(runEventsUntil([&] { return w.cycle().marker().hidden(); })) << "repainted";
    EXPECT_EQ(w.drill().currentNoteIndex(), 1) << "the same drill goes on";
    w.hear(26);
    w.hear(26);
    EXPECT_EQ(w.drill().currentNoteIndex(), 2) << "and is judged again";

    const int tuningBefore = w.engine->settings.A;
    useSettings(
        [](SettingsSheet& sheet) {
            auto* tuning = control<QComboBox>(sheet, "A");
            choose(tuning, tuning->currentIndex() + 1);
        },
        QDialogButtonBox::Ok);
    ASSERT_TRUE(runEventsUntil([&] { return w.cycle().keepMelodyOnRepaint; })) << "repainted";
    ASSERT_TRUE(w.settle());
    EXPECT_EQ(w.engine->settings.A, tuningBefore + 1);
    EXPECT_NE(w.engine->periodTable, buildPeriodTable(tuningBefore)) << "rebuilt for the new A";
    EXPECT_EQ(w.drill().currentNoteIndex(), 0) << "a new drill";
}

TEST_F(TrainerSheetTest, TheSoundPageShowsTheMicrophoneOnlyWhileItIsTheCurrentPage)
{
    ASSERT_TRUE(w.start());
    const auto wavelineImage = [](SettingsSheet& sheet) {
        return sheet.findChild<QWidget*>("waveline")->grab().toImage();
    };
    useSettings(
        [&](SettingsSheet& sheet) {
            const QImage quiet = wavelineImage(sheet);
            w.hear(33); // the General page shows
            EXPECT_EQ(wavelineImage(sheet), quiet);
            sheet.showTab(SheetTab::Sound);
            w.hear(33);
            EXPECT_NE(wavelineImage(sheet), quiet) << "the live wave";
        },
        QDialogButtonBox::Cancel);
    EXPECT_FALSE(w.cycle().microphoneObserver) << "no page listens once the sheet is closed";
    EXPECT_EQ(w.drill().currentNoteIndex(), 0) << "blocks heard under the sheet were not judged";
}

TEST_F(TrainerSheetTest, TheDetectorChosenOnTheSoundPageListensFromOk)
{
    ASSERT_TRUE(w.start());
    const auto pickDetector = [&](const char* name, QDialogButtonBox::StandardButton button) {
        useSettings(
            [&](SettingsSheet& sheet) {
                sheet.showTab(SheetTab::Sound);
                sheet.findChild<QRadioButton*>(name)->click();
            },
            button);
        EXPECT_TRUE(w.settle());
    };
    pickDetector("precise", QDialogButtonBox::Cancel);
    EXPECT_EQ(w.detector.kind(), DetectorKind::Classic);
    EXPECT_FALSE(std::filesystem::exists(w.rig.dir.file(kOwnSettingsFileName)));

    pickDetector("precise", QDialogButtonBox::Ok);
    EXPECT_EQ(w.detector.kind(), DetectorKind::Precise);
    EXPECT_EQ(readOwnSettings(w.rig.dir.path()).detector, DetectorKind::Precise);
    w.hear(-1);
    EXPECT_EQ(w.queuedLength(), 1024);

    // The sheet opens on the choice in force.
    useSettings(
        [](SettingsSheet& sheet) {
            EXPECT_TRUE(sheet.findChild<QRadioButton*>("precise")->isChecked());
            EXPECT_FALSE(sheet.findChild<QRadioButton*>("classic")->isChecked());
        },
        QDialogButtonBox::Cancel);
}

// A sound server's choice of source, as far as the sheet reaches it.
struct RecordedChoice final : MicrophoneChoice {
    std::string current;
    std::vector<std::string> asked;
    void choose(const std::string& name) override
    {
        current = name;
        asked.push_back(name);
    }
    const std::string& chosen() const override { return current; }
    void setChangeHandler(ChangeHandler) override {}
};

TEST_F(TrainerSheetTest, AMicrophoneChosenOnTheSoundPageListensAtOnceAndIsRemembered)
{
    RecordedChoice choice;
    ASSERT_TRUE(updateOwnSettings(w.rig.dir.path(),
                                  [](OwnSettings& own) { own.detector = DetectorKind::Precise; }));
    w.openSettingsSheet = [&](const SheetHost& host) {
        return trainerSheetOpener(
            *w.engine, w.rig.midiOut, w.detector,
            {&w.device, &choice, [] {
                 return std::vector<MicrophoneSource>{{"usb", "USB Microphone", false}};
             }})(host);
    };
    ASSERT_TRUE(w.start());
    useSettings(
        [](SettingsSheet& sheet) {
            sheet.showTab(SheetTab::Sound);
            auto* inputs = sheet.findChild<QComboBox*>("microphone");
            ASSERT_EQ(inputs->count(), 2);
            inputs->setCurrentIndex(1);
            emit inputs->activated(1);
        },
        QDialogButtonBox::Cancel);
    EXPECT_EQ(choice.asked, std::vector<std::string>{"usb"});
    const OwnSettings own = readOwnSettings(w.rig.dir.path());
    EXPECT_EQ(own.microphone, "usb") << "kept on Cancel, as a MIDI device is";
    EXPECT_EQ(own.detector, DetectorKind::Precise) << "the other settings stay";
}

} // namespace
