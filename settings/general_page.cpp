#include "settings/general_page.h"

#include "music/melody_store.h"
#include "music/note_names.h"
#include "music/vocabulary.h"
#include "music/voice_ranges.h"
#include "settings/page_controls.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QRadioButton>

#include <vector>

namespace {

// Stores the list position of every choice the user makes in `combo`.
template <typename Store> void onChoice(QComboBox* combo, Store store)
{
    QObject::connect(combo, &QComboBox::activated, combo, store);
}

std::vector<std::string> scaleNames(const ScaleList* scales)
{
    std::vector<std::string> names;
    if (scales)
        for (const auto& scale : *scales)
            names.push_back(scale.name);
    return names;
}

} // namespace

GeneralPage::GeneralPage(SheetState& state, const SettingsSheetContext& context, QWidget* parent)
    : QWidget(parent), state_(state), context_(context)
{
    setFont(DialogUnits::dialogFont());
    makeMelodySource();
    makeLists();
    makeOptions();

    state_.selectedScale = state_.workingCopy.mode;
    if (context_.refreshScaleBits)
        context_.refreshScaleBits(state_.workingCopy.mode);
    const int drilltype = state_.workingCopy.drilltype;
    if (drilltype >= 1 && drilltype <= 3)
        drillTypes_[drilltype - 1]->setChecked(true);
    enableFor(drilltype);
}

void GeneralPage::makeMelodySource()
{
    PageControls controls(this);
    Settings& s = state_.workingCopy;
    auto* group = new QButtonGroup(this);

    drillTypes_[0] = controls.radio("drilltype1", "Random Melodies with", 14, 12, 86, 12);
    onChoice(controls.dropDown("melosize", 102, 11, 30, melodyLengthNames(), s.melosize - 1),
             [&s](int position) { s.melosize = position + 1; });
    controls.label("notes", 136, 12, 40, 12);

    keys_ = controls.dropDown("scale", 26, 31, 56, noteNamesFor(notationOf(s.notation)).keyNames,
                              s.scale);
    onChoice(keys_, [&s](int position) { s.scale = position; });
    controls.label("key", 86, 32, 20, 12);
    const auto names = scaleNames(context_.scales);
    scales_ = controls.dropDown("mode", 106, 31, 88, names, s.mode);
    onChoice(scales_, [this](int position) { chooseScale(position); });
    controls.label("scale", 198, 32, 30, 12);

    drillTypes_[1] = controls.radio("drilltype2", "Use Custom Melodies, randomly", 14, 54, 160, 12);
    drillTypes_[2] =
        controls.radio("drilltype3", "Practice this particular melody:", 14, 70, 160, 12);
    const auto melodies = MelodyStore(context_.dataDirectory, answerModeOf(s.noteName)).names();
    melodies_ = controls.dropDown("custMelody", 26, 85, 168, melodies, s.custMelody);
    onChoice(melodies_, [&s](int position) { s.custMelody = position; });

    for (int type = 1; type <= 3; ++type) {
        QRadioButton* button = drillTypes_[type - 1];
        group->addButton(button, type);
        connect(button, &QRadioButton::clicked, this, [this, type] { chooseDrillType(type); });
    }
}

void GeneralPage::makeLists()
{
    PageControls controls(this);
    Settings& s = state_.workingCopy;

    controls.groupBox("Difficulty level", 14, 110, 100, 36);
    onChoice(controls.dropDown("level", 22, 125, 84, levelNames, s.level),
             [&s](int position) { s.level = position; });
    controls.groupBox("Voice Range", 124, 110, 100, 36);
    onChoice(controls.dropDown("range", 132, 125, 84, rangeNames, s.range),
             [&s](int position) { s.range = position; });

    controls.label("Transpose", 14, 161, 40, 12);
    onChoice(controls.dropDown("transpose", 54, 160, 34, transposeNames(), s.transpose),
             [&s](int position) { s.transpose = position; });
    // `notation` 0 is letters; any other value reads as Do-Re-Mi.
    onChoice(controls.dropDown("notation", 120, 160, 52, notationNames, s.notation == 0 ? 0 : 1),
             [&s](int position) { s.notation = position; });
    controls.label("as note names", 176, 161, 56, 12);
}

void GeneralPage::makeOptions()
{
    PageControls controls(this);
    Settings& s = state_.workingCopy;
    auto* shaped =
        controls.checkBox("shapeNote", "Use Shaped Notes", 14, 186, 120, 12, s.shapeNote != 0);
    connect(shaped, &QCheckBox::clicked, this, [&s](bool checked) { s.shapeNote = checked; });
    auto* autostart =
        controls.checkBox("autostart", "Auto-start new drill", 14, 202, 120, 12, s.autostart != 0);
    connect(autostart, &QCheckBox::clicked, this, [&s](bool checked) { s.autostart = checked; });
}

void GeneralPage::chooseScale(int position)
{
    state_.workingCopy.mode = position;
    state_.selectedScale = position;
    if (context_.refreshScaleBits)
        context_.refreshScaleBits(position);
}

void GeneralPage::chooseDrillType(int drilltype)
{
    state_.workingCopy.drilltype = drilltype;
    enableFor(drilltype);
}

void GeneralPage::enableFor(int drilltype)
{
    const bool known = drilltype >= 1 && drilltype <= 3;
    keys_->setEnabled(!known || drilltype == 1);
    scales_->setEnabled(!known || drilltype == 1);
    melodies_->setEnabled(!known || drilltype == 3);
}
