#include "music/scale_file.h"
#include "settings/name_list_box.h"
#include "settings/scales_page.h"
#include "tests/settings/page_fixture.h"
#include "tests/support/event_loop.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

struct ScalesPageTest : testing::Test, PageTest {
    std::unique_ptr<SettingsSheet> sheet;
    ScalesPage* page = nullptr;
    NameListBox* names = nullptr;

    void open()
    {
        sheet = std::make_unique<SettingsSheet>(context, SheetTab::Scales);
        page = sheet->findChild<ScalesPage*>();
        page->useMessages(messages);
        names = control<NameListBox>(*sheet, "scaleNames");
        sent();
    }
    void clickKey(int k) { click(page, page->keyRect(k).center()); }
    void saveAs(const std::string& name)
    {
        names->setText(name);
        control<QPushButton>(*sheet, "saveScale")->click();
    }
    QPushButton* playButton() { return control<QPushButton>(*sheet, "playScale"); }
};

TEST_F(ScalesPageTest, EachKeyTogglesItsBit)
{
    context.settings.midiVol = 90;
    open();
    for (int k = 0; k < 12; ++k) {
        clickKey(k);
        EXPECT_EQ(page->workingMask(), 1u << k) << "key " << k;
        EXPECT_EQ(sent(), (std::vector<Message>{{0x90, 60 + k, 90}, {0x80, 60 + k, 120}}));
        saveAs("Key " + std::to_string(k));
        clickKey(k); // off again
        sent();
    }
    EXPECT_EQ(page->workingMask(), 0u);
    EXPECT_EQ(scales.size(), 14u) << "new scales wait for OK";
    EXPECT_EQ(names->count(), 26);
    EXPECT_EQ(sheet->workingCopy().numScales, 26);

    sheet->done(QDialog::Accepted);
    ASSERT_EQ(scales.size(), 26u);
    for (int k = 0; k < 12; ++k)
        EXPECT_EQ(scales[14 + k], (ScaleRecord{1u << k, "Key " + std::to_string(k)}));
    EXPECT_TRUE(messages.told.empty());
}

TEST_F(ScalesPageTest, AClickBesideTheKeysOrOnTheirEdgeDoesNothing)
{
    open();
    const QRect c = page->keyRect(0);
    click(page, c.topLeft());
    click(page, {c.left() + c.width(), c.center().y()});
    click(page, {5, 5});
    EXPECT_EQ(page->workingMask(), 0u);
    EXPECT_TRUE(sent().empty());
}

TEST_F(ScalesPageTest, SaveFollowsTheDecisionTable)
{
    context.settings.mode = 9; // "Arpeggio - Major", 145
    open();
    // Unchanged notes under a new name: the chosen scale is renamed.
    names->list()->setCurrentRow(9);
    EXPECT_EQ(page->workingMask(), 145u);
    saveAs("Triad");
    EXPECT_EQ(scales[9], (ScaleRecord{145, "Triad"}));
    EXPECT_EQ(names->nameAt(9), "Triad");

    // The chosen scale's own name: its notes change.
    clickKey(2);
    saveAs("Triad");
    EXPECT_EQ(scales[9], (ScaleRecord{149, "Triad"}));

    // Changed notes under another name: a new scale.
    clickKey(11);
    saveAs("Ab");
    EXPECT_EQ(names->count(), 15);
    EXPECT_EQ(names->nameAt(14), "Ab");
    EXPECT_EQ(scales.size(), 14u);

    // Cancel: the rename and the new notes stay, the new scale goes.
    sheet->done(QDialog::Rejected);
    EXPECT_EQ(scales.size(), 14u);
    EXPECT_EQ(scales[9], (ScaleRecord{149, "Triad"}));
    EXPECT_EQ(scaleBitsLoads.back(), 9) << "the drilled scale's notes follow at once";
}

TEST_F(ScalesPageTest, NamesAreCheckedBeforeSaving)
{
    open();
    saveAs("");
    ASSERT_EQ(messages.told.size(), 1u);
    EXPECT_NE(messages.told[0].find("Type a name"), std::string::npos);

    clickKey(0);
    saveAs(std::string(40, 'x'));
    EXPECT_EQ(names->nameAt(14), std::string(28, 'x')) << "the field takes 28 characters";

    clickKey(4);
    for (int i = 0; names->count() < kMaxScales; ++i)
        saveAs("more " + std::to_string(i));
    saveAs("one too many");
    EXPECT_EQ(names->count(), kMaxScales);
    ASSERT_EQ(messages.told.size(), 2u);
    EXPECT_NE(messages.told[1].find("full"), std::string::npos);

    // A full list still lets a listed scale be renamed.
    names->list()->setCurrentRow(3);
    saveAs("Dorian");
    EXPECT_EQ(scales[3].name, "Dorian");
    sheet->done(QDialog::Accepted);
    EXPECT_EQ(int(scales.size()), kMaxScales);
}

TEST_F(ScalesPageTest, EnterInTheNameFieldSaves)
{
    open();
    sheet->show();
    clickKey(0);
    names->setText("Drone");
    names->field()->setFocus();
    pressKey(names->field(), Qt::Key_Return);
    EXPECT_EQ(names->nameAt(14), "Drone");
    EXPECT_TRUE(sheet->isVisible());
}

TEST_F(ScalesPageTest, TheScaleFileWrittenAtExitReadsBackTheSameList)
{
    open();
    names->list()->setCurrentRow(13);
    saveAs("Tense, very");
    clickKey(0);
    saveAs("Mine, with a comma");
    sheet->done(QDialog::Accepted);

    const auto file = dir.file(kScaleFileName);
    dir.write(kScaleFileName, std::string(2000, '#')); // an older, longer file
    ASSERT_TRUE(saveScales(file, scales));
    EXPECT_EQ(loadScales(file, int(scales.size())), scales);
    EXPECT_EQ(scales.back(), (ScaleRecord{194, "Mine, with a comma"}));
}

TEST_F(ScalesPageTest, PlayScaleSoundsTheOctaveUpThenDown)
{
    context.settings.midiVol = 80;
    open();
    clickKey(0); // C alone
    sent();
    playButton()->click();
    EXPECT_EQ(playButton()->text(), "Stop");
    ASSERT_TRUE(runEventsUntil([&] { return !page->isPlaying(); }));
    EXPECT_EQ(playButton()->text(), "Play Scale");
    // The octave's top note is released as it was struck.
    EXPECT_EQ(sent(), (std::vector<Message>{{0x90, 60, 80},
                                            {0x80, 60, 120},
                                            {0x90, 72, 80},
                                            {0x80, 72, 80},
                                            {0x90, 60, 80},
                                            {0x80, 60, 120}}));
}

TEST_F(ScalesPageTest, AClickDuringPlayScaleStopsItAfterTheNoteThatSounds)
{
    open();
    clickKey(0);
    clickKey(4);
    clickKey(7);
    sent();
    playButton()->click();
    click(page, {5, 5}); // anywhere on the page
    ASSERT_TRUE(runEventsUntil([&] { return !page->isPlaying(); }));
    EXPECT_EQ(sent(), (std::vector<Message>{{0x90, 60, 100}, {0x80, 60, 120}}));
    EXPECT_EQ(page->workingMask(), 145u) << "the stopping click toggles no key";
    EXPECT_EQ(playButton()->text(), "Play Scale");

    clickKey(0);
    clickKey(4);
    clickKey(7);
    sent();
    playButton()->click();
    EXPECT_EQ(playButton()->text(), "Play Scale") << "no key on: nothing to play";
    EXPECT_TRUE(sent().empty());
}

TEST_F(ScalesPageTest, ClosingTheSheetDuringPlayScaleSilencesTheNote)
{
    open();
    clickKey(0);
    sent();
    playButton()->click();
    sheet->done(QDialog::Rejected);
    EXPECT_EQ(sent(), (std::vector<Message>{{0x90, 60, 100}, {0x80, 60, 120}}));
    EXPECT_FALSE(page->isPlaying());
}

} // namespace
