#pragma once

#include "settings/dialog_units.h"

#include <QString>

#include <span>
#include <string>
#include <string_view>

class QCheckBox;
class QPushButton;
class QComboBox;
class QGroupBox;
class QLabel;
class QRadioButton;
class QWidget;

// Makers of the controls of the settings pages, each placed at a rectangle in
// dialog units of the page. Controls are made in the order of the calls,
// which is also their Tab order.
class PageControls {
public:
    explicit PageControls(QWidget* page, const DialogUnits& units = DialogUnits::forDialogFont())
        : page_(page), units_(units)
    {
    }

    const DialogUnits& units() const { return units_; }

    // A drop-down list of `items` (in that order, unsorted) showing entry
    // `index`, which is clamped into the list; an empty list shows nothing.
    // Only the x, y and width of the rectangle count: the field takes its own height.
    QComboBox* dropDown(const char* name, int x, int y, int width,
                        std::span<const std::string> items, int index);
    QComboBox* dropDown(const char* name, int x, int y, int width,
                        std::span<const std::string_view> items, int index);
    QLabel* label(const QString& text, int x, int y, int width, int height,
                  Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter);
    QGroupBox* groupBox(const QString& title, int x, int y, int width, int height);
    QRadioButton* radio(const char* name, const QString& text, int x, int y, int width, int height);
    QCheckBox* checkBox(const char* name, const QString& text, int x, int y, int width, int height,
                        bool checked);
    // A push button that Enter on the page does not press.
    QPushButton* button(const char* name, const QString& text, int x, int y, int width, int height);

    // The list position shown for a stored value: `index` clamped into a list
    // of `count` entries, or -1 (nothing) for an empty list.
    static int shownIndex(int index, int count);

private:
    QComboBox* placeCombo(QComboBox* combo, const char* name, int x, int y, int width, int index);

    QWidget* page_;
    const DialogUnits& units_;
};
