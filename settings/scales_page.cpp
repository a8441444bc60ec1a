#include "settings/scales_page.h"

#include "midi/midi_messages.h"
#include "midi/midi_out.h"
#include "music/note_names.h"
#include "settings/name_list_box.h"
#include "settings/page_controls.h"

#include <QMouseEvent>
#include <QPushButton>

namespace {

constexpr int kKeyCount = 12;
constexpr int kKeySize = 17; // dialog units, square
constexpr int kWhiteTop = 57, kBlackTop = 37;
// Left edges in dialog units of keys C, C#, D, ... B.
constexpr std::array<int, kKeyCount> kKeyLeft = {21, 31,  41,  51,  61,  81,
                                                 91, 101, 111, 121, 131, 141};
constexpr std::array<bool, kKeyCount> kBlack = {false, true,  false, true,  false, false,
                                                true,  false, true,  false, true,  false};

const char* const kPlayLabel = "Play Scale";
const char* const kStopLabel = "Stop";
const char* const kMessageCaption = "Scales";

gdi::FontSpec keyLabelFont()
{
    return {.face = "Helv", .height = 8, .width = 6, .weight = 400};
}

} // namespace

ScalesPage::ScalesPage(SheetState& state, const SettingsSheetContext& context, QWidget* parent)
    : gdi::BackBufferedWidget(parent), state_(state), context_(context),
      edit_(context.scales ? *context.scales : noScales_), player_(context.midiOut)
{
    setFont(DialogUnits::dialogFont());
    PageControls controls(this);
    const DialogUnits& du = controls.units();
    controls.groupBox("Add or Modify Scale", 6, 20, 180, 156);

    for (int k = 0; k < kKeyCount; ++k) {
        const QRect r = keyRect(k);
        // The button's outline covers left..left + width inclusive.
        keys_[k] = PushButton{r.left(), r.top(), r.width() - 1, r.height() - 1, colour::buttonFace};
    }

    play_ = new QPushButton(kPlayLabel, this);
    play_->setObjectName("playScale");
    play_->setAutoDefault(false);
    play_->setGeometry(du.rect(64, 78, 51, 13));
    connect(play_, &QPushButton::clicked, this, [this] { playOrStop(); });

    controls.label("Save As", 10, 120, 30, 10);
    names_ = new NameListBox(ScaleEdit::kMaxTypedName, {}, this);
    names_->setObjectName("scaleNames");
    names_->setGeometry(du.rect(42, 119, 92, 47));
    for (int i = 0; i < edit_.count(); ++i)
        names_->addName(edit_.at(i).name);
    names_->onChosen([this](int row) { chooseScale(row); });
    names_->onEnter([this] { save(); });

    auto* saveButton = new QPushButton("Save", this);
    saveButton->setObjectName("saveScale");
    saveButton->setAutoDefault(false);
    saveButton->setGeometry(du.rect(136, 119, 36, 21));
    connect(saveButton, &QPushButton::clicked, this, [this] { save(); });
}

ScalesPage::~ScalesPage()
{
    sheetClosing(false);
}

QRect ScalesPage::keyRect(int k) const
{
    return DialogUnits::forDialogFont().rect(kKeyLeft[k], kBlack[k] ? kBlackTop : kWhiteTop,
                                             kKeySize, kKeySize);
}

void ScalesPage::sheetClosing(bool accepted)
{
    player_.abort();
    pressedNote_.stop();
    pressedKey_ = -1;
    if (accepted)
        edit_.commitNewScales();
}

void ScalesPage::paintWindow(gdi::Canvas& dc)
{
    dc.fill(0, 0, dc.width(), dc.height(), palette().color(QPalette::Window).rgb());
    paintKeys(dc);
}

void ScalesPage::paintKeys(gdi::Canvas& dc)
{
    for (int k = 0; k < kKeyCount; ++k) {
        keys_[k].pressed = 0;
        drawKey(dc, k, false);
    }
}

// The key raised or sunken, labelled white when it belongs to the scale.
void ScalesPage::drawKey(gdi::Canvas& dc, int k, bool sunken)
{
    PushButton& key = keys_[k];
    key.drawRaised(dc, colours_);
    if (sunken)
        key.drawPressed(dc, colours_);
    else
        key.pressed = 0;
    gdi::TextStyle style;
    style.font = keyLabelFont();
    style.colour = (workingMask_ >> k) & 1 ? gdi::white : gdi::black;
    style.hAlign = gdi::HAlign::Centre;
    const auto& names = noteNamesFor(notationOf(context_.settings.notation)).chromaticNames;
    dc.text(key.left + key.width / 2, key.top + 13, names[k], style);
}

void ScalesPage::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    if (player_.isPlaying()) {
        // A click while the scale plays only stops it, after the note that sounds.
        player_.requestStop();
        return;
    }
    const QPoint p = event->position().toPoint();
    for (int k = 0; k < kKeyCount; ++k) {
        const QRect r = keyRect(k);
        const bool inside = r.left() < p.x() && p.x() < r.left() + r.width() && r.top() < p.y() &&
                            p.y() < r.top() + r.height();
        if (!inside)
            continue;
        workingMask_ ^= 1u << k;
        if (context_.midiOut)
            pressedNote_ = context_.midiOut->startNote(ScalePlayer::kTonicKey + k,
                                                       noteOnVelocity(state_.workingCopy.midiVol),
                                                       {ScalePlayer::kReleaseVelocity});
        drawKey(canvas(), k, true);
        pressedKey_ = k;
        return;
    }
}

void ScalesPage::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || pressedKey_ < 0)
        return;
    const int k = pressedKey_;
    pressedKey_ = -1;
    // The note stops even when a repaint has already drawn the key at rest.
    pressedNote_.stop();
    if (keys_[k].pressed)
        drawKey(canvas(), k, false);
}

void ScalesPage::chooseScale(int row)
{
    if (!edit_.isListed(row))
        return;
    state_.selectedScale = row;
    workingMask_ = edit_.at(row).mask;
    paintKeys(canvas());
}

void ScalesPage::save()
{
    const int selected = state_.selectedScale;
    const auto saved = edit_.save(names_->text(), workingMask_, selected);
    if (!saved) {
        messages_->warn(kMessageCaption, saved.message());
        return;
    }
    switch (*saved) {
    case ScaleEdit::Saved::Added:
        names_->addName(edit_.at(edit_.count() - 1).name);
        ++state_.workingCopy.numScales;
        break;
    case ScaleEdit::Saved::Renamed:
        names_->setName(selected, edit_.at(selected).name);
        break;
    case ScaleEdit::Saved::MaskChanged:
        // The drilled scale's notes follow at once, as a choice on the General page does.
        if (selected == state_.workingCopy.mode && edit_.isProgramScale(selected) &&
            context_.refreshScaleBits)
            context_.refreshScaleBits(selected);
        break;
    }
}

void ScalesPage::playOrStop()
{
    if (player_.isPlaying()) {
        player_.requestStop();
        return;
    }
    if (workingMask_ == 0)
        return;
    play_->setText(kStopLabel);
    player_.play(workingMask_, state_.workingCopy.midiVol,
                 {[this](int k, bool sounding) { drawKey(canvas(), k, sounding); },
                  [this] { play_->setText(kPlayLabel); }});
}
