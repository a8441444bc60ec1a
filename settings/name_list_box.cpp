#include "settings/name_list_box.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QRegularExpression>
#include <QRegularExpressionValidator>

NameListBox::NameListBox(int maxLength, const QString& refused, QWidget* parent)
    : QWidget(parent), field_(new QLineEdit(this)), list_(new QListWidget(this))
{
    field_->setMaxLength(maxLength);
    if (!refused.isEmpty()) {
        const QString anyBut = "[^" + QRegularExpression::escape(refused) + "]*";
        field_->setValidator(new QRegularExpressionValidator(QRegularExpression(anyBut), field_));
    }
    field_->installEventFilter(this);
    connect(list_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (settingRow_ || row < 0)
            return;
        field_->setText(list_->item(row)->text());
        if (chosen_)
            chosen_(row);
    });
}

void NameListBox::setNames(const std::vector<std::string>& names)
{
    settingRow_ = true;
    list_->clear();
    settingRow_ = false;
    for (const auto& name : names)
        addName(name);
}

void NameListBox::addName(const std::string& name)
{
    settingRow_ = true;
    list_->addItem(QString::fromStdString(name));
    settingRow_ = false;
}

void NameListBox::setName(int row, const std::string& name)
{
    if (auto* item = list_->item(row))
        item->setText(QString::fromStdString(name));
}

std::string NameListBox::text() const
{
    return field_->text().toStdString();
}

void NameListBox::setText(const std::string& text)
{
    field_->setText(QString::fromStdString(text));
}

int NameListBox::currentRow() const
{
    return list_->currentItem() && list_->currentItem()->isSelected() ? list_->currentRow() : -1;
}

void NameListBox::setCurrentRow(int row)
{
    settingRow_ = true;
    if (row < 0 || row >= list_->count()) {
        list_->setCurrentRow(-1);
        list_->clearSelection();
    } else {
        list_->setCurrentRow(row);
    }
    settingRow_ = false;
}

std::string NameListBox::nameAt(int row) const
{
    const auto* item = list_->item(row);
    return item ? item->text().toStdString() : std::string();
}

int NameListBox::count() const
{
    return list_->count();
}

void NameListBox::resizeEvent(QResizeEvent*)
{
    const int fieldHeight = field_->sizeHint().height();
    field_->setGeometry(0, 0, width(), fieldHeight);
    list_->setGeometry(0, fieldHeight, width(), std::max(0, height() - fieldHeight));
}

bool NameListBox::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == field_ && event->type() == QEvent::KeyPress && enter_) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            enter_();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
