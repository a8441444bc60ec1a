#include "solfara/custom_melody_dialog.h"

#include "music/melody_store.h"

#include <QDialogButtonBox>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int lineRole = Qt::UserRole;

} // namespace

CustomMelodyDialog::CustomMelodyDialog(const std::filesystem::path& dataDir, int noteName,
                                       QWidget* parent)
    : QDialog(parent), list_(new QListWidget(this))
{
    setWindowTitle(QStringLiteral("Select Custom Melody"));
    list_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // Only lines with a name are listed; each entry keeps its own file line, so a blank or
    // nameless line does not shift the melodies after it.
    const std::vector<std::string> names = MelodyStore(dataDir, answerModeOf(noteName)).names();
    for (std::size_t line = 0; line < names.size(); ++line) {
        if (names[line].empty())
            continue;
        auto* item = new QListWidgetItem(QString::fromStdString(names[line]), list_);
        item->setData(lineRole, static_cast<int>(line));
    }

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    ok_ = buttons->button(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(list_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        list_->setCurrentItem(item);
        accept();
    });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_);
    layout->addWidget(buttons);
}

void CustomMelodyDialog::accept()
{
    const QList<QListWidgetItem*> selected = list_->selectedItems();
    if (selected.isEmpty())
        return;
    chosen_ = selected.front()->data(lineRole).toInt();
    QDialog::accept();
}

std::optional<int> selectCustomMelody(const std::filesystem::path& dataDir, int noteName,
                                      QWidget* parent)
{
    CustomMelodyDialog dialog(dataDir, noteName, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.chosenLine();
}

Settings withChosenMelody(Settings settings, int line)
{
    settings.custMelody = line;
    settings.drilltype = 3;
    settings.mode = 0;
    settings.scale = 1;
    return settings;
}
