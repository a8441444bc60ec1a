#include "render/layout_top.h"
#include "solfara/popup_menu.h"
#include "tests/support/menu_action.h"

#include <QMenu>

#include <gtest/gtest.h>

namespace {

// The menu as text: one entry per line with its command id, "-" for a separator, "[x]" for a
// check mark, and a submenu's entries indented under it.
std::string describe(const QMenu& menu, const std::string& indent = "")
{
    std::string out;
    for (const QAction* a : menu.actions()) {
        if (a->isSeparator()) {
            out += indent + "-\n";
            continue;
        }
        out += indent + (a->isChecked() ? "[x] " : "") + a->text().toStdString();
        if (const int id = static_cast<int>(commandOf(a)))
            out += " " + std::to_string(id);
        out += "\n";
        if (a->menu())
            out += describe(*a->menu(), indent + "  ");
    }
    return out;
}

TEST(PopupMenu, EntriesAreListedInTheirOrder)
{
    Settings s;
    s.shapeNote = 1;
    s.notation = 0;
    s.drilltype = 3;
    s.range = 4;
    const auto menu = buildPopupMenu(s, 2, {.toleranceCents = 25, .sight = SightMode::TonicOnly});
    EXPECT_EQ(describe(*menu), "[x] Use Shaped Notes 3001\n"
                               "Do-Re-Mi Notation 3002\n"
                               "-\n"
                               "Use Algorhythmic Melodies 7009\n"
                               "Use Custom Melodies Randomly 3004\n"
                               "[x] Select This Custom Melody... 7008\n"
                               "-\n"
                               "Microphone Setup ... 3005\n"
                               "-\n"
                               "Voice Range\n"
                               "  Soprano 7002\n"
                               "  Mezzo-Soprano 7003\n"
                               "  Contralto 7004\n"
                               "  Tenor 7005\n"
                               "  [x] Baritone 7006\n"
                               "  Bass 7007\n"
                               "Window Size\n"
                               "  Automatic 7101\n"
                               "  1× 7102\n"
                               "  [x] 2× 7103\n"
                               "  3× 7104\n"
                               "Tolerance\n"
                               "  Any 7301\n"
                               "  50 cents 7302\n"
                               "  35 cents 7303\n"
                               "  [x] 25 cents 7304\n"
                               "  15 cents 7305\n"
                               "Play the Melody First\n"
                               "  Always 7311\n"
                               "  [x] Tonic Only 7312\n"
                               "-\n"
                               "Progress ... 7201\n"
                               "Last Drill ... 7202\n");

    const struct {
        int drilltype;
        const char* checked;
    } drillRows[] = {{0, "Use Algorhythmic Melodies"},
                     {1, "Use Algorhythmic Melodies"},
                     {2, "Use Custom Melodies Randomly"}};
    for (const auto& r : drillRows) {
        s.drilltype = r.drilltype;
        s.notation = 1;
        const auto m = buildPopupMenu(s);
        EXPECT_TRUE(findAction(*m, r.checked)->isChecked()) << r.drilltype;
        EXPECT_TRUE(findAction(*m, "Do-Re-Mi Notation")->isChecked());
        EXPECT_FALSE(findAction(*m, "Select This Custom Melody...")->isChecked());
        EXPECT_TRUE(findAction(*m, "Automatic")->isChecked()) << "no size chosen yet";
        EXPECT_TRUE(findAction(*m, "Any")->isChecked()) << "today's rule";
        EXPECT_TRUE(findAction(*m, "Always")->isChecked()) << "today's rule";
    }
}

TEST(PopupMenu, CommandEffectsOnTheSettings)
{
    Settings base;
    base.shapeNote = 0;
    base.notation = 1;
    base.drilltype = 1;
    base.mode = 4;
    base.scale = 7;
    base.range = 2;
    const auto with = [&](auto change) {
        Settings s = base;
        change(s);
        return s;
    };
    const struct {
        const char* name;
        MenuCommand command;
        Settings from, to;
        MenuFollowUp followUp;
    } rows[] = {
        {"shaped notes on, same drill", MenuCommand::ShapedNotes, base,
         with([](Settings& s) { s.shapeNote = 1; }), MenuFollowUp::RedrawSameDrill},
        {"letter names, same drill", MenuCommand::DoReMiNotation, base,
         with([](Settings& s) { s.notation = 0; }), MenuFollowUp::RedrawSameDrill},
        {"algorithmic from custom", MenuCommand::AlgorithmicMelodies,
         with([](Settings& s) { s.drilltype = 3; }), base, MenuFollowUp::NewDrillOnRepaint},
        {"custom randomly: C major", MenuCommand::CustomMelodiesRandomly, base,
         with([](Settings& s) { s.drilltype = 2, s.mode = 0, s.scale = 1; }),
         MenuFollowUp::NewDrillOnRepaint},
        {"custom randomly twice: back to composed", MenuCommand::CustomMelodiesRandomly,
         with([](Settings& s) { s.drilltype = 2; }), base, MenuFollowUp::NewDrillOnRepaint},
        {"select melody: the dialog decides", MenuCommand::SelectCustomMelody, base, base,
         MenuFollowUp::SelectCustomMelody},
        {"microphone setup", MenuCommand::MicrophoneSetup, base, base,
         MenuFollowUp::OpenMicrophoneSetup},
        {"the same range again still starts a drill", MenuCommand::Contralto, base, base,
         MenuFollowUp::NewDrillNow},
        {"bass", MenuCommand::Bass, base, with([](Settings& s) { s.range = 5; }),
         MenuFollowUp::NewDrillNow},
        {"progress", MenuCommand::Progress, base, base, MenuFollowUp::OpenProgress},
        {"last drill", MenuCommand::LastDrill, base, base, MenuFollowUp::OpenLastDrill},
        {"no choice", MenuCommand::None, base, base, MenuFollowUp::None},
    };
    for (const auto& r : rows) {
        const MenuOutcome out = applyMenuCommand(r.command, r.from);
        EXPECT_EQ(out.settings, r.to) << r.name;
        EXPECT_EQ(out.followUp, r.followUp) << r.name;
        EXPECT_EQ(out.notationChanged, r.command == MenuCommand::DoReMiNotation) << r.name;
    }
    // The practice choices change no setting of "vox.c20"; the drill goes on.
    const PracticeChoices practice = {.toleranceCents = 35, .sight = SightMode::TonicOnly};
    const struct {
        MenuCommand command;
        PracticeChoices to;
    } practiceRows[] = {
        {MenuCommand::ToleranceAny, {.sight = SightMode::TonicOnly}},
        {MenuCommand::Tolerance50, {.toleranceCents = 50, .sight = SightMode::TonicOnly}},
        {MenuCommand::Tolerance15, {.toleranceCents = 15, .sight = SightMode::TonicOnly}},
        {MenuCommand::MelodyFirstAlways, {.toleranceCents = 35}},
        {MenuCommand::MelodyFirstTonicOnly, practice},
    };
    for (const auto& r : practiceRows) {
        const MenuOutcome out = applyMenuCommand(r.command, base, practice);
        EXPECT_EQ(out.settings, base);
        EXPECT_EQ(out.practice.toleranceCents, r.to.toleranceCents) << int(r.command);
        EXPECT_EQ(out.practice.sight, r.to.sight) << int(r.command);
        EXPECT_EQ(out.followUp, MenuFollowUp::PracticeChanged);
    }
    EXPECT_EQ(applyMenuCommand(MenuCommand::LastDrill, base, practice).practice.toleranceCents, 35);

    // The window sizes change no setting: the window takes them.
    for (const auto& [command, size] : {std::pair{MenuCommand::WindowSizeAutomatic, WindowSize{}},
                                        std::pair{MenuCommand::WindowSize1, WindowSize{1}},
                                        std::pair{MenuCommand::WindowSize3, WindowSize{3}}}) {
        const MenuOutcome out = applyMenuCommand(command, base);
        EXPECT_EQ(out.settings, base);
        EXPECT_EQ(out.followUp, MenuFollowUp::ResizeWindow);
        EXPECT_EQ(out.windowSize, size);
    }
}

TEST(PopupMenu, NoPressIsSwallowedAfterAChoice)
{
    EXPECT_TRUE(inStaffArea(21, layoutTop + 16));
    EXPECT_TRUE(inStaffArea(479, layoutTop + 264));
    EXPECT_FALSE(inStaffArea(20, 100));
    EXPECT_FALSE(inStaffArea(480, 100));
    EXPECT_FALSE(inStaffArea(100, layoutTop + 15));
    EXPECT_FALSE(inStaffArea(100, layoutTop + 265));

    // The window test walks the dismissing press; after a choice nothing is swallowed.
    PopupMenuLatch latch;
    latch.opened();
    latch.commandChosen();
    EXPECT_FALSE(latch.swallowStaffPress());
}

} // namespace
