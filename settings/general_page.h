#pragma once

#include "settings/settings_sheet_context.h"
#include "settings/sheet_state.h"

#include <QWidget>

#include <array>

class QComboBox;
class QRadioButton;

// The General page: melody source, length, key and scale, difficulty, voice
// range, transposition, note names, shaped notes and auto-start. Every choice
// is stored in the sheet's working copy at once; a scale choice also loads
// the program's scale bits at once.
class GeneralPage : public QWidget {
public:
    GeneralPage(SheetState& state, const SettingsSheetContext& context, QWidget* parent = nullptr);

private:
    void makeMelodySource();
    void makeLists();
    void makeOptions();
    void chooseScale(int position);
    void chooseDrillType(int drilltype);
    // Enables the scale and key lists for composed melodies and the melody
    // list for the one fixed custom melody.
    void enableFor(int drilltype);

    SheetState& state_;
    const SettingsSheetContext& context_;
    std::array<QRadioButton*, 3> drillTypes_{};
    QComboBox* keys_ = nullptr;
    QComboBox* scales_ = nullptr;
    QComboBox* melodies_ = nullptr;
};
