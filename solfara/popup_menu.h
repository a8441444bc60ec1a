#pragma once

#include "drill/practice_choices.h"
#include "drill/settings.h"

#include <QPoint>

#include <memory>
#include <optional>

class QAction;
class QMenu;

// The popup menu of the main window (right button anywhere, left button over the staff).

// Command ids of the menu entries.
enum class MenuCommand {
    None = 0,
    ShapedNotes = 3001,
    DoReMiNotation = 3002,
    CustomMelodiesRandomly = 3004,
    MicrophoneSetup = 3005,
    Soprano = 7002,
    MezzoSoprano = 7003,
    Contralto = 7004,
    Tenor = 7005,
    Baritone = 7006,
    Bass = 7007,
    SelectCustomMelody = 7008,
    AlgorithmicMelodies = 7009,
    WindowSizeAutomatic = 7101,
    WindowSize1 = 7102,
    WindowSize2 = 7103,
    WindowSize3 = 7104,
    Progress = 7201,
    LastDrill = 7202,
    ToleranceAny = 7301, // then one entry for each of kToleranceChoices
    Tolerance50 = 7302,
    Tolerance35 = 7303,
    Tolerance25 = 7304,
    Tolerance15 = 7305,
    MelodyFirstAlways = 7311,
    MelodyFirstTonicOnly = 7312,
};

// The window size chosen last with "Window Size": a scale, or automatic when empty.
using WindowSize = std::optional<int>;

// The menu with its entries, separators, check marks and the "Voice Range", "Window Size",
// "Tolerance" and "Play the Melody First" submenus and, last, "Progress ..." and "Last Drill
// ...", as the settings, the practice choices and the window size stand. Each entry's action
// carries its command.
std::unique_ptr<QMenu> buildPopupMenu(const Settings& settings, WindowSize windowSize = {},
                                      const PracticeChoices& practice = {});
MenuCommand commandOf(const QAction* action);

// Shows the menu at `globalPos` until the user chooses or dismisses it.
MenuCommand execPopupMenu(const Settings& settings, WindowSize windowSize,
                          const PracticeChoices& practice, QPoint globalPos);

// What the window does after a command has changed the settings.
enum class MenuFollowUp {
    None,
    RedrawSameDrill,     // keep the melody on repaint; invalidate without erasing
    NewDrillOnRepaint,   // drop the melody on repaint; invalidate without erasing
    NewDrillNow,         // start a new drill at once
    SelectCustomMelody,  // run the Select Custom Melody dialog
    OpenMicrophoneSetup, // pause detection, open the settings sheet on its Sound page
    ResizeWindow,        // show the window at `windowSize` and remember it
    OpenProgress,        // show the Progress window
    PracticeChanged,     // save the practice choices; the drill goes on
    OpenLastDrill,       // show the report on the last drill
};

struct MenuOutcome {
    Settings settings;
    PracticeChoices practice;
    MenuFollowUp followUp = MenuFollowUp::None;
    WindowSize windowSize;
    bool notationChanged = false; // select the note-name tables again
};

// The settings after a command, and what is left for the window to do.
MenuOutcome applyMenuCommand(MenuCommand command, const Settings& settings,
                             const PracticeChoices& practice = {});

// The settings sheet tab "Microphone Setup ..." opens on.
inline constexpr int kGeneralSheetTab = 1;
inline constexpr int kSoundSheetTab = 3;

// Strictly inside the staff area, where a left press opens the menu.
bool inStaffArea(int x, int y);

// The left press that dismisses a menu over the staff must not open it again: the window
// marks the menu open before showing it and done once a command was chosen.
class PopupMenuLatch {
public:
    void opened() { justOpened_ = true; }
    void commandChosen() { justOpened_ = false; }
    // For a left press over the staff: true when it is the press that dismissed the menu
    // (the latch is then cleared), false when the menu should open.
    bool swallowStaffPress()
    {
        const bool swallow = justOpened_;
        justOpened_ = false;
        return swallow;
    }

private:
    bool justOpened_ = false;
};
