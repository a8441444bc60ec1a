#pragma once

#include "drill/settings.h"

#include <QDialog>

#include <filesystem>
#include <optional>
#include <vector>

class QListWidget;
class QPushButton;

// "Select Custom Melody": the names of the stored custom melodies of the answer mode
// ("mel2.ssc" in guitar mode, "mel.ssc" otherwise). OK or a double click chooses the
// selected melody; with nothing selected OK does nothing. A file that cannot be read gives
// an empty list.
class CustomMelodyDialog : public QDialog {
    Q_OBJECT
public:
    CustomMelodyDialog(const std::filesystem::path& dataDir, int noteName,
                       QWidget* parent = nullptr);

    // The file line of the chosen melody, once the dialog was accepted.
    std::optional<int> chosenLine() const { return chosen_; }

    QListWidget* list() const { return list_; }
    QPushButton* okButton() const { return ok_; }

    void accept() override;

private:
    QListWidget* list_;
    QPushButton* ok_;
    std::optional<int> chosen_;
};

// Runs the dialog modally; the chosen line, or nothing after Cancel.
std::optional<int> selectCustomMelody(const std::filesystem::path& dataDir, int noteName,
                                      QWidget* parent);

// The settings of a drill on melody `line`: the window then drops the melody on repaint and
// invalidates without erasing, so the repaint starts that drill.
Settings withChosenMelody(Settings settings, int line);
