#include "core/popup_menu.h"
#include "render/layout_top.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

// The menu as text: one entry per line, "-" for a separator, "[x]" for a check mark, and a
// submenu's entries indented under it.
std::string describe(const QMenu& menu, const std::string& indent = "")
{
    std::string out;
    for (const QAction* a : menu.actions()) {
        if (a->isSeparator()) {
            out += indent + "-\n";
            continue;
        }
        out += indent + (a->isChecked() ? "[x] " : "") + a->text().toStdString() + "\n";
        if (a->menu())
            out += describe(*a->menu(), indent + "  ");
    }
    return out;
}

QAction* findAction(const QMenu& menu, const QString& text)
{
    for (QAction* a : menu.actions()) {
        if (a->text() == text)
            return a;
        if (a->menu())
            if (QAction* inner = findAction(*a->menu(), text))
                return inner;
    }
    return nullptr;
}

TEST(PopupMenu, EntriesOrderSeparatorsAndCheckMarks)
{
    Settings s;
    s.shapeNote = 1;
    s.notation = 0;
    s.drilltype = 3;
    s.range = 4;
    const auto menu = buildPopupMenu(s);
    EXPECT_EQ(describe(*menu), "[x] Use Shaped Notes\n"
                               "Do-Re-Mi Notation\n"
                               "-\n"
                               "Use Algorhythmic Melodies\n"
                               "Use Custom Melodies Randomly\n"
                               "[x] Select This Custom Melody...\n"
                               "-\n"
                               "Microphone Setup ...\n"
                               "-\n"
                               "Voice Range\n"
                               "  Soprano\n"
                               "  Mezzo-Soprano\n"
                               "  Contralto\n"
                               "  Tenor\n"
                               "  [x] Baritone\n"
                               "  Bass\n");
    EXPECT_EQ(menu->actions().size(), 10); // "Voice Range" is the tenth position

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
    }
}

TEST(PopupMenu, EachEntryCarriesItsCommand)
{
    const auto menu = buildPopupMenu(Settings{});
    const struct {
        const char* text;
        MenuCommand command;
    } rows[] = {
        {"Use Shaped Notes", MenuCommand::ShapedNotes},
        {"Do-Re-Mi Notation", MenuCommand::DoReMiNotation},
        {"Use Algorhythmic Melodies", MenuCommand::AlgorithmicMelodies},
        {"Use Custom Melodies Randomly", MenuCommand::CustomMelodiesRandomly},
        {"Select This Custom Melody...", MenuCommand::SelectCustomMelody},
        {"Microphone Setup ...", MenuCommand::MicrophoneSetup},
        {"Soprano", MenuCommand::Soprano},
        {"Bass", MenuCommand::Bass},
    };
    for (const auto& r : rows)
        EXPECT_EQ(commandOf(findAction(*menu, r.text)), r.command) << r.text;
    EXPECT_EQ(commandOf(findAction(*menu, "Voice Range")), MenuCommand::None);
    EXPECT_EQ(commandOf(nullptr), MenuCommand::None);
}

TEST(PopupMenu, ShownMenuReturnsTheChosenCommandOrNothing)
{
    // Chooses "Tenor" once the menu is up, then dismisses a second menu without a choice.
    QTimer::singleShot(0, [] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_TRUE(menu);
        findAction(*menu, "Tenor")->trigger();
        menu->close();
    });
    EXPECT_EQ(execPopupMenu(Settings{}, {10, 10}), MenuCommand::Tenor);
    QTimer::singleShot(0, [] {
        if (auto* menu = QApplication::activePopupWidget())
            menu->close();
    });
    EXPECT_EQ(execPopupMenu(Settings{}, {10, 10}), MenuCommand::None);
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
        {"no choice", MenuCommand::None, base, base, MenuFollowUp::None},
    };
    for (const auto& r : rows) {
        const MenuOutcome out = applyMenuCommand(r.command, r.from);
        EXPECT_EQ(out.settings, r.to) << r.name;
        EXPECT_EQ(out.followUp, r.followUp) << r.name;
        EXPECT_EQ(out.notationChanged, r.command == MenuCommand::DoReMiNotation) << r.name;
    }
}

TEST(PopupMenu, StaffAreaAndTheDismissingPress)
{
    EXPECT_TRUE(inStaffArea(21, layoutTop + 16));
    EXPECT_TRUE(inStaffArea(479, layoutTop + 264));
    EXPECT_FALSE(inStaffArea(20, 100));
    EXPECT_FALSE(inStaffArea(480, 100));
    EXPECT_FALSE(inStaffArea(100, layoutTop + 15));
    EXPECT_FALSE(inStaffArea(100, layoutTop + 265));

    PopupMenuLatch latch;
    EXPECT_FALSE(latch.swallowStaffPress()); // no menu yet: the press opens it
    latch.opened();                          // dismissed without a choice
    EXPECT_TRUE(latch.swallowStaffPress());  // the dismissing press does nothing
    EXPECT_FALSE(latch.swallowStaffPress()); // the next one opens the menu again
    latch.opened();
    latch.commandChosen();
    EXPECT_FALSE(latch.swallowStaffPress());
}

} // namespace
