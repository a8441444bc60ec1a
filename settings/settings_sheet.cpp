#include "settings/settings_sheet.h"

#include "settings/dialog_units.h"
#include "settings/general_page.h"
#include "settings/melody_editor_page.h"
#include "settings/scales_page.h"
#include "settings/sheet_close.h"
#include "settings/sound_page.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

// Every page is laid out on a 240 x 250 dialog-unit area.
constexpr int kPageWidth = 240;
constexpr int kPageHeight = 250;

// The sheet's own background, around the tab control and buttons.
const QColor kSheetColour(172, 164, 139);

// A page with the standard dialog colouring, whatever the sheet's colour.
QWidget* preparePage(QWidget* page)
{
    page->setAutoFillBackground(true);
    QPalette standard = page->palette();
    standard.setColor(QPalette::Window, QApplication::palette().color(QPalette::Window));
    page->setPalette(standard);
    page->setFixedSize(DialogUnits::forDialogFont().size(kPageWidth, kPageHeight));
    return page;
}

} // namespace

SettingsSheet::SettingsSheet(const SettingsSheetContext& context, SheetTab initialTab,
                             QWidget* parent)
    : QDialog(parent),
      context_(context), state_{context.settings, context.settings.mode, context.detector}
{
    setWindowTitle("Settings");
    setFont(DialogUnits::dialogFont());
    QPalette sheetPalette = palette();
    sheetPalette.setColor(QPalette::Window, kSheetColour);
    setPalette(sheetPalette);

    tabs_ = new QTabWidget(this);
    tabs_->setObjectName("pageTabs");
    general_ = new GeneralPage(state_, context_);
    scales_ = new ScalesPage(state_, context_);
    sound_ = new SoundPage(state_, context_);
    melodies_ = new MelodyEditorPage(state_, context_);
    tabs_->addTab(preparePage(general_), " General ");
    tabs_->addTab(preparePage(scales_), " Scales ");
    tabs_->addTab(preparePage(sound_), " Sound ");
    tabs_->addTab(preparePage(melodies_), " Custom Melody ");

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    showTab(initialTab);
    connect(tabs_, &QTabWidget::currentChanged, this, [this] { followCurrentTab(); });
}

SettingsSheet::~SettingsSheet()
{
    stopListening();
}

int SettingsSheet::volumeSliderPosition() const
{
    return sound_->volumeSliderPosition();
}

SheetTab SettingsSheet::currentTab() const
{
    return SheetTab(tabs_->currentIndex() + 1);
}

void SettingsSheet::showTab(SheetTab tab)
{
    tabs_->setCurrentIndex(int(tab) - 1);
    tabs_->currentWidget()->setFocus();
    followCurrentTab();
}

void SettingsSheet::done(int result)
{
    stopListening();
    // Scales added on the Scales page join the program's list only with OK.
    scales_->sheetClosing(result == QDialog::Accepted);
    melodies_->sheetClosing();
    QDialog::done(result);
}

void SettingsSheet::followCurrentTab()
{
    const bool soundShowing = currentTab() == SheetTab::Sound;
    if (soundShowing == listening_ || !context_.listenToMicrophone)
        return;
    listening_ = soundShowing;
    if (soundShowing)
        context_.listenToMicrophone([page = sound_](std::span<const std::uint8_t> block) {
            page->showMicrophoneBlock(block);
        });
    else
        context_.listenToMicrophone({});
}

void SettingsSheet::stopListening()
{
    if (!listening_)
        return;
    listening_ = false;
    context_.listenToMicrophone({});
}

bool runSettingsSheet(QWidget* parent, const SettingsSheetContext& context,
                      SheetCloseTarget& target, SheetTab tab)
{
    target.setDetectionPaused(true);
    SettingsSheet sheet(context, tab, parent);
    const bool accepted = sheet.exec() == QDialog::Accepted;
    if (accepted) {
        acceptSheet(sheet.workingCopy(), sheet.volumeSliderPosition(), target);
        target.takeDetector(sheet.detectorChoice());
    } else {
        cancelSheet(target);
    }
    return accepted;
}
