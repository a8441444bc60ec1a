#include "drill/settings_bounds.h"
#include "drill/settings_file.h"
#include "music/answer_mode.h"
#include "settings/sheet_close.h"
#include "tests/settings/sheet_fixture.h"

#include <QCheckBox>
#include <QRadioButton>
#include <gtest/gtest.h>

#include <functional>

namespace {

struct GeneralPageTest : testing::Test, SheetFixture {};

TEST_F(GeneralPageTest, EachControlStoresItsChoiceInTheWorkingCopy)
{
    const struct {
        const char* list;
        int position;
        std::int32_t Settings::*field;
        int expected;
    } rows[] = {
        {"melosize", 9, &Settings::melosize, 10},  {"scale", 5, &Settings::scale, 5},
        {"mode", 3, &Settings::mode, 3},           {"custMelody", 2, &Settings::custMelody, 2},
        {"level", 2, &Settings::level, 2},         {"range", 5, &Settings::range, 5},
        {"transpose", 0, &Settings::transpose, 0}, {"notation", 0, &Settings::notation, 0},
        {"cycles", 8, &Settings::cycles, 9},       {"A", 3, &Settings::A, 433},
    };
    for (const auto& row : rows) {
        SettingsSheet sheet(context, SheetTab::General);
        choose(control<QComboBox>(sheet, row.list), row.position);
        EXPECT_EQ(sheet.workingCopy().*row.field, row.expected) << row.list;
    }
    // A choice made with the keyboard counts too, and so do the check boxes.
    context.settings.level = 0;
    SettingsSheet sheet(context, SheetTab::General);
    pressKey(control<QComboBox>(sheet, "level"), Qt::Key_Down);
    control<QCheckBox>(sheet, "autostart")->click();
    control<QCheckBox>(sheet, "shapeNote")->click();
    EXPECT_EQ(sheet.workingCopy().level, 1);
    EXPECT_EQ(sheet.workingCopy().autostart, 1 - context.settings.autostart);
    EXPECT_EQ(sheet.workingCopy().shapeNote, 1 - context.settings.shapeNote);
}

TEST_F(GeneralPageTest, TheKeyListSpeaksTheNotationTheSheetOpenedWith)
{
    context.settings.notation = 0;
    SettingsSheet letters(context, SheetTab::General);
    EXPECT_EQ(control<QComboBox>(letters, "scale")->itemText(0), "Random");
    choose(control<QComboBox>(letters, "notation"), 1);
    EXPECT_EQ(control<QComboBox>(letters, "scale")->itemText(2).trimmed(), "G");
}

TEST_F(GeneralPageTest, ChoosingAScaleLoadsItsScaleBitsAtOnce)
{
    context.settings.mode = 2;
    SettingsSheet sheet(context, SheetTab::General);
    EXPECT_EQ(scaleBitsLoads, (std::vector<int>{2})); // on opening, from `mode`
    choose(control<QComboBox>(sheet, "mode"), 5);
    EXPECT_EQ(scaleBitsLoads, (std::vector<int>{2, 5}));
    EXPECT_EQ(sheet.selectedScale(), 5);
}

TEST_F(GeneralPageTest, MelodySourceDecidesWhichListsCanBeUsed)
{
    struct Row {
        const char* radio;
        int drilltype;
        bool keyAndScale, melody;
    };
    const Row rows[] = {
        {"drilltype1", 1, true, false},
        {"drilltype2", 2, false, false},
        {"drilltype3", 3, false, true},
    };
    for (const auto& opened : rows) {
        context.settings.drilltype = opened.drilltype;
        SettingsSheet sheet(context, SheetTab::General);
        EXPECT_TRUE(control<QRadioButton>(sheet, opened.radio)->isChecked()) << opened.radio;
        for (const auto& row : rows) {
            control<QRadioButton>(sheet, row.radio)->click();
            EXPECT_EQ(sheet.workingCopy().drilltype, row.drilltype);
            EXPECT_EQ(control<QComboBox>(sheet, "scale")->isEnabled(), row.keyAndScale);
            EXPECT_EQ(control<QComboBox>(sheet, "mode")->isEnabled(), row.keyAndScale);
            EXPECT_EQ(control<QComboBox>(sheet, "custMelody")->isEnabled(), row.melody);
        }
    }
}

TEST_F(GeneralPageTest, MelodyListShowsTheFileOfTheAnswerMode)
{
    context.settings.noteName = noteNameOf(AnswerMode::Guitar);
    SettingsSheet guitar(context, SheetTab::General);
    auto* melodies = control<QComboBox>(guitar, "custMelody");
    ASSERT_EQ(melodies->count(), 1);
    EXPECT_EQ(melodies->itemText(0), "Riff");

    context.settings.noteName = noteNameOf(AnswerMode::Microphone);
    std::filesystem::remove(dir.file("mel.ssc"));
    SettingsSheet none(context, SheetTab::General);
    EXPECT_EQ(control<QComboBox>(none, "custMelody")->count(), 0);
}

// The whole road: the sheet runs modally, the user changes settings, and the
// program's close steps receive them (or not).
struct RunSheetTest : GeneralPageTest, SheetCloseTarget {
    std::optional<Settings> taken;
    std::vector<std::string> steps;

    void takeSettings(const Settings& s) override
    {
        taken = s;
        steps.push_back("take");
    }
    void selectNotation() override { steps.push_back("notation"); }
    void buildPeriodTable() override { steps.push_back("periods"); }
    void setDetectionPaused(bool paused) override { steps.push_back(paused ? "pause" : "resume"); }
    void setKeepMelodyOnRepaint(bool keep) override { steps.push_back(keep ? "keep" : "new"); }
    void invalidateMainWindow() override { steps.push_back("invalidate"); }

    // Runs the sheet; `user` acts on it once it shows, then presses `button`.
    bool run(SheetTab tab, std::function<void(SettingsSheet&)> user,
             QDialogButtonBox::StandardButton button)
    {
        whenSheetShows(openedOn, std::move(user), button);
        return runSettingsSheet(nullptr, context, *this, tab);
    }
    SheetTab openedOn{};
};

TEST_F(RunSheetTest, OkChangesReadBackFromTheSettingsFile)
{
    const bool accepted = run(
        SheetTab::General,
        [](SettingsSheet& sheet) {
            choose(control<QComboBox>(sheet, "melosize"), 9);
            choose(control<QComboBox>(sheet, "level"), 0);
            choose(control<QComboBox>(sheet, "transpose"), 30);
        },
        QDialogButtonBox::Ok);
    EXPECT_TRUE(accepted);
    EXPECT_EQ(openedOn, SheetTab::General);
    ASSERT_TRUE(taken);
    EXPECT_EQ(taken->melosize, 10);
    EXPECT_EQ(taken->level, 0);
    EXPECT_EQ(taken->transpose, 30);
    EXPECT_EQ(steps, (std::vector<std::string>{"pause", "take", "notation", "periods", "resume",
                                               "new", "invalidate"}));

    // At exit the engine writes them; the next start reads the same values.
    dir.write(kSettingsFileName, "");
    ASSERT_TRUE(writeSettingsFile(dir.file(kSettingsFileName), *taken));
    Settings reread;
    readSettingsFile(dir.file(kSettingsFileName), reread);
    keepSettingsInRange(reread, int(scales.size()));
    EXPECT_EQ(reread, *taken);
}

TEST_F(RunSheetTest, CancelHandsNothingOverButTheScaleBitsStayLoaded)
{
    const bool accepted = run(
        SheetTab::Sound, [](SettingsSheet& sheet) { choose(control<QComboBox>(sheet, "mode"), 6); },
        QDialogButtonBox::Cancel);
    EXPECT_FALSE(accepted);
    EXPECT_EQ(openedOn, SheetTab::Sound) << "microphone setup opens on the Sound page";
    EXPECT_FALSE(taken);
    EXPECT_EQ(steps, (std::vector<std::string>{"pause", "resume", "invalidate", "keep"}));
    EXPECT_EQ(scaleBitsLoads.back(), 6);
}

// Every entry of every list, chosen and accepted, gives settings that the
// program loads back unchanged.
TEST_F(GeneralPageTest, EveryChoiceAcceptedIsASettingTheProgramReadsBack)
{
    for (const char* list : {"melosize", "scale", "mode", "custMelody", "level", "range",
                             "transpose", "notation", "midi", "miditimbre", "cycles", "A"}) {
        SettingsSheet sheet(context, SheetTab::General);
        auto* combo = control<QComboBox>(sheet, list);
        for (int i = 0; i < combo->count(); ++i) {
            choose(combo, i);
            const Settings accepted = acceptedSettings(sheet.workingCopy(), 128);
            Settings loaded = accepted;
            keepSettingsInRange(loaded, int(scales.size()));
            EXPECT_EQ(loaded, accepted) << list << " entry " << i;
        }
    }
}

} // namespace
