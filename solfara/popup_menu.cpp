#include "solfara/popup_menu.h"

#include "render/layout_top.h"

#include <QAction>
#include <QMenu>

#include <iterator>
#include <string>
#include <vector>

namespace {

void addEntry(QMenu& menu, const char* text, MenuCommand command, bool checked)
{
    QAction* action = menu.addAction(QString::fromUtf8(text));
    action->setData(static_cast<int>(command));
    // Only a checked entry is checkable: the others show no empty box, as a plain menu item.
    action->setCheckable(checked);
    action->setChecked(checked);
}

constexpr const char* voiceRangeNames[6] = {"Soprano", "Mezzo-Soprano", "Contralto",
                                            "Tenor",   "Baritone",      "Bass"};

constexpr const char* windowSizeNames[3] = {"1×", "2×", "3×"};

} // namespace

std::unique_ptr<QMenu> buildPopupMenu(const Settings& s, WindowSize windowSize,
                                      const PracticeChoices& practice)
{
    auto menu = std::make_unique<QMenu>();
    addEntry(*menu, "Use Shaped Notes", MenuCommand::ShapedNotes, s.shapeNote == 1);
    addEntry(*menu, "Do-Re-Mi Notation", MenuCommand::DoReMiNotation, s.notation == 1);
    menu->addSeparator();
    addEntry(*menu, "Use Algorhythmic Melodies", MenuCommand::AlgorithmicMelodies,
             s.drilltype == 0 || s.drilltype == 1);
    addEntry(*menu, "Use Custom Melodies Randomly", MenuCommand::CustomMelodiesRandomly,
             s.drilltype == 2);
    addEntry(*menu, "Select This Custom Melody...", MenuCommand::SelectCustomMelody,
             s.drilltype == 3);
    menu->addSeparator();
    addEntry(*menu, "Microphone Setup ...", MenuCommand::MicrophoneSetup, false);
    menu->addSeparator();
    QMenu* ranges = menu->addMenu(QStringLiteral("Voice Range"));
    for (int r = 0; r < 6; ++r)
        addEntry(*ranges, voiceRangeNames[r],
                 static_cast<MenuCommand>(static_cast<int>(MenuCommand::Soprano) + r),
                 s.range == r);
    QMenu* sizes = menu->addMenu(QStringLiteral("Window Size"));
    addEntry(*sizes, "Automatic", MenuCommand::WindowSizeAutomatic, !windowSize);
    for (int scale = 1; scale <= 3; ++scale)
        addEntry(
            *sizes, windowSizeNames[scale - 1],
            static_cast<MenuCommand>(static_cast<int>(MenuCommand::WindowSizeAutomatic) + scale),
            windowSize == scale);
    QMenu* tolerances = menu->addMenu(QStringLiteral("Tolerance"));
    addEntry(*tolerances, "Any", MenuCommand::ToleranceAny, !practice.toleranceCents);
    for (std::size_t i = 0; i < std::size(kToleranceChoices); ++i) {
        const std::string text = std::to_string(kToleranceChoices[i]) + " cents";
        addEntry(*tolerances, text.c_str(),
                 static_cast<MenuCommand>(static_cast<int>(MenuCommand::Tolerance50) + int(i)),
                 practice.toleranceCents == kToleranceChoices[i]);
    }
    QMenu* first = menu->addMenu(QStringLiteral("Play the Melody First"));
    addEntry(*first, "Always", MenuCommand::MelodyFirstAlways, practice.sight == SightMode::Always);
    addEntry(*first, "Tonic Only", MenuCommand::MelodyFirstTonicOnly,
             practice.sight == SightMode::TonicOnly);
    menu->addSeparator();
    addEntry(*menu, "Progress ...", MenuCommand::Progress, false);
    addEntry(*menu, "Last Drill ...", MenuCommand::LastDrill, false);
    return menu;
}

MenuCommand commandOf(const QAction* action)
{
    if (!action || !action->data().isValid())
        return MenuCommand::None;
    return static_cast<MenuCommand>(action->data().toInt());
}

MenuCommand execPopupMenu(const Settings& settings, WindowSize windowSize,
                          const PracticeChoices& practice, QPoint globalPos)
{
    const auto menu = buildPopupMenu(settings, windowSize, practice);
    // An entry can also be triggered without a click on it (keyboard, accessibility);
    // whichever way, the last entry triggered while the menu is up is the choice.
    QAction* triggered = nullptr;
    std::vector<QAction*> entries;
    for (QAction* entry : menu->actions()) {
        entries.push_back(entry);
        if (entry->menu())
            for (QAction* inner : entry->menu()->actions())
                entries.push_back(inner);
    }
    for (QAction* entry : entries)
        QObject::connect(entry, &QAction::triggered, menu.get(),
                         [&triggered, entry] { triggered = entry; });
    QAction* chosen = menu->exec(globalPos);
    return commandOf(chosen ? chosen : triggered);
}

MenuOutcome applyMenuCommand(MenuCommand command, const Settings& settings,
                             const PracticeChoices& practice)
{
    MenuOutcome out;
    out.settings = settings;
    out.practice = practice;
    Settings& s = out.settings;
    switch (command) {
    case MenuCommand::None:
        break;
    case MenuCommand::ShapedNotes:
        s.shapeNote = s.shapeNote == 1 ? 0 : 1;
        out.followUp = MenuFollowUp::RedrawSameDrill;
        break;
    case MenuCommand::DoReMiNotation:
        s.notation = s.notation == 1 ? 0 : 1;
        out.notationChanged = true;
        out.followUp = MenuFollowUp::RedrawSameDrill;
        break;
    case MenuCommand::AlgorithmicMelodies:
        s.drilltype = 1;
        out.followUp = MenuFollowUp::NewDrillOnRepaint;
        break;
    case MenuCommand::CustomMelodiesRandomly:
        if (s.drilltype == 2) {
            s.drilltype = 1;
        } else {
            s.drilltype = 2;
            s.mode = 0;
            s.scale = 1;
        }
        out.followUp = MenuFollowUp::NewDrillOnRepaint;
        break;
    case MenuCommand::SelectCustomMelody:
        out.followUp = MenuFollowUp::SelectCustomMelody;
        break;
    case MenuCommand::MicrophoneSetup:
        out.followUp = MenuFollowUp::OpenMicrophoneSetup;
        break;
    case MenuCommand::Soprano:
    case MenuCommand::MezzoSoprano:
    case MenuCommand::Contralto:
    case MenuCommand::Tenor:
    case MenuCommand::Baritone:
    case MenuCommand::Bass:
        s.range = static_cast<int>(command) - static_cast<int>(MenuCommand::Soprano);
        out.followUp = MenuFollowUp::NewDrillNow;
        break;
    case MenuCommand::WindowSizeAutomatic:
        out.followUp = MenuFollowUp::ResizeWindow;
        break;
    case MenuCommand::Progress:
        out.followUp = MenuFollowUp::OpenProgress;
        break;
    case MenuCommand::LastDrill:
        out.followUp = MenuFollowUp::OpenLastDrill;
        break;
    case MenuCommand::ToleranceAny:
        out.practice.toleranceCents.reset();
        out.followUp = MenuFollowUp::PracticeChanged;
        break;
    case MenuCommand::Tolerance50:
    case MenuCommand::Tolerance35:
    case MenuCommand::Tolerance25:
    case MenuCommand::Tolerance15:
        out.practice.toleranceCents = kToleranceChoices[static_cast<std::size_t>(
            static_cast<int>(command) - static_cast<int>(MenuCommand::Tolerance50))];
        out.followUp = MenuFollowUp::PracticeChanged;
        break;
    case MenuCommand::MelodyFirstAlways:
    case MenuCommand::MelodyFirstTonicOnly:
        out.practice.sight =
            command == MenuCommand::MelodyFirstAlways ? SightMode::Always : SightMode::TonicOnly;
        out.followUp = MenuFollowUp::PracticeChanged;
        break;
    case MenuCommand::WindowSize1:
    case MenuCommand::WindowSize2:
    case MenuCommand::WindowSize3:
        out.followUp = MenuFollowUp::ResizeWindow;
        out.windowSize =
            static_cast<int>(command) - static_cast<int>(MenuCommand::WindowSizeAutomatic);
        break;
    }
    return out;
}

bool inStaffArea(int x, int y)
{
    return 20 < x && x < 480 && layoutTop + 15 < y && y < layoutTop + 265;
}
