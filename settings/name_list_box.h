#pragma once

#include <QWidget>

#include <functional>
#include <string>
#include <vector>

class QLineEdit;
class QListWidget;

// An edit field over an always-open list of names (a simple combo box).
// Choosing an entry in the list puts its name into the field and reports the
// entry's position; typing changes only the field. The list keeps the order
// in which names are given, so a position is a line or list index.
class NameListBox : public QWidget {
    Q_OBJECT
public:
    // The field takes at most `maxLength` characters and none of `refused`.
    NameListBox(int maxLength, const QString& refused, QWidget* parent = nullptr);

    void setNames(const std::vector<std::string>& names);
    void addName(const std::string& name);
    void setName(int row, const std::string& name);

    std::string text() const;
    void setText(const std::string& text);

    // The chosen entry, -1 for none. Setting it does not report a choice.
    int currentRow() const;
    void setCurrentRow(int row);
    std::string nameAt(int row) const;
    int count() const;

    // Called with the position of each entry the user chooses.
    void onChosen(std::function<void(int row)> chosen) { chosen_ = std::move(chosen); }
    // Called when Enter is pressed in the field; the key then goes no further
    // (it does not close the dialog).
    void onEnter(std::function<void()> enter) { enter_ = std::move(enter); }

    QLineEdit* field() const { return field_; }
    QListWidget* list() const { return list_; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* field_;
    QListWidget* list_;
    std::function<void(int)> chosen_;
    std::function<void()> enter_;
    bool settingRow_ = false;
};
