#include "settings/page_controls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>

int PageControls::shownIndex(int index, int count)
{
    return count == 0 ? -1 : std::clamp(index, 0, count - 1);
}

QComboBox* PageControls::dropDown(const char* name, int x, int y, int width,
                                  std::span<const std::string> items, int index)
{
    auto* combo = new QComboBox(page_);
    for (const auto& item : items)
        combo->addItem(QString::fromStdString(item));
    return placeCombo(combo, name, x, y, width, index);
}

QComboBox* PageControls::dropDown(const char* name, int x, int y, int width,
                                  std::span<const std::string_view> items, int index)
{
    auto* combo = new QComboBox(page_);
    for (const auto& item : items)
        combo->addItem(QString::fromUtf8(item.data(), qsizetype(item.size())));
    return placeCombo(combo, name, x, y, width, index);
}

QComboBox* PageControls::placeCombo(QComboBox* combo, const char* name, int x, int y, int width,
                                    int index)
{
    combo->setObjectName(name);
    combo->setMaxVisibleItems(12);
    combo->setSizeAdjustPolicy(QComboBox::AdjustToContentsOnFirstShow);
    combo->setCurrentIndex(shownIndex(index, combo->count()));
    const int height = std::max(units_.y(12), combo->sizeHint().height());
    combo->setGeometry(units_.x(x), units_.y(y), units_.x(width), height);
    return combo;
}

QLabel* PageControls::label(const QString& text, int x, int y, int width, int height,
                            Qt::Alignment alignment)
{
    auto* label = new QLabel(text, page_);
    label->setAlignment(alignment);
    label->setGeometry(units_.rect(x, y, width, height));
    return label;
}

QGroupBox* PageControls::groupBox(const QString& title, int x, int y, int width, int height)
{
    auto* box = new QGroupBox(title, page_);
    // An etched frame whose top line runs through the middle of the title, as
    // dialog group boxes are drawn.
    box->setStyleSheet(
        "QGroupBox { border: 1px solid palette(mid); margin-top: 0.5em; }"
        "QGroupBox::title { subcontrol-origin: margin; left: 6px; padding: 0 2px; }");
    box->setFont(page_->font()); // a style sheet would otherwise bring the application font
    box->setGeometry(units_.rect(x, y, width, height));
    box->lower(); // under the controls placed inside it
    return box;
}

QRadioButton* PageControls::radio(const char* name, const QString& text, int x, int y, int width,
                                  int height)
{
    auto* button = new QRadioButton(text, page_);
    button->setObjectName(name);
    button->setGeometry(units_.rect(x, y, width, height));
    return button;
}

QCheckBox* PageControls::checkBox(const char* name, const QString& text, int x, int y, int width,
                                  int height, bool checked)
{
    auto* box = new QCheckBox(text, page_);
    box->setObjectName(name);
    box->setChecked(checked);
    box->setGeometry(units_.rect(x, y, width, height));
    return box;
}

QPushButton* PageControls::button(const char* name, const QString& text, int x, int y, int width,
                                  int height)
{
    auto* button = new QPushButton(text, page_);
    button->setObjectName(name);
    button->setGeometry(units_.rect(x, y, width, height));
    button->setAutoDefault(false);
    return button;
}
