#pragma once

#include "settings/settings_sheet_context.h"
#include "settings/sheet_state.h"

#include <QDialog>

class GeneralPage;
class MelodyEditorPage;
class QTabWidget;
class ScalesPage;
class SoundPage;

// The modal "Settings" dialog: four tabs " General ", " Scales ", " Sound ",
// " Custom Melody " over a working copy of the settings, with OK and Cancel.
// The sheet only edits; what OK and Cancel do to the program is acceptSheet
// and cancelSheet (sheet_close.h), which runSettingsSheet calls.
class SettingsSheet : public QDialog {
public:
    // `context` must outlive the sheet.
    SettingsSheet(const SettingsSheetContext& context, SheetTab initialTab,
                  QWidget* parent = nullptr);
    ~SettingsSheet() override;

    const Settings& workingCopy() const { return state_.workingCopy; }
    int selectedScale() const { return state_.selectedScale; }
    DetectorKind detectorChoice() const { return state_.detector; }
    int volumeSliderPosition() const;
    SheetTab currentTab() const;
    void showTab(SheetTab tab);

    void done(int result) override;

private:
    // Starts or stops the live microphone waveline with the Sound tab.
    void followCurrentTab();
    void stopListening();

    const SettingsSheetContext& context_;
    SheetState state_;
    QTabWidget* tabs_ = nullptr;
    GeneralPage* general_ = nullptr;
    ScalesPage* scales_ = nullptr;
    SoundPage* sound_ = nullptr;
    MelodyEditorPage* melodies_ = nullptr;
    bool listening_ = false;
};

// Opens the sheet on `tab` and runs it modally: detection is paused while it
// shows; OK applies the working copy through `target` (acceptSheet), Cancel
// keeps the current drill (cancelSheet). Returns whether OK was pressed.
bool runSettingsSheet(QWidget* parent, const SettingsSheetContext& context,
                      SheetCloseTarget& target, SheetTab tab);
