#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

class QWidget;

// How the Custom Melody page asks which file to import or export and which part of a score
// to take. The program shows Qt's dialogs; tests answer in their place.
class MelodyFileDialogs {
public:
    virtual ~MelodyFileDialogs() = default;
    // A MusicXML or MIDI file to read; nothing when the user cancels.
    virtual std::optional<std::filesystem::path> fileToImport() = 0;
    // Where to write the melody, starting from `suggestedName`; nothing on Cancel.
    virtual std::optional<std::filesystem::path>
    fileToExportTo(const std::string& suggestedName) = 0;
    // Which of the parts, by their names, to import; nothing on Cancel.
    virtual std::optional<std::size_t> partToImport(const std::vector<std::string>& partNames) = 0;
};

class QtMelodyFileDialogs final : public MelodyFileDialogs {
public:
    explicit QtMelodyFileDialogs(QWidget* parent) : parent_(parent) {}

    std::optional<std::filesystem::path> fileToImport() override;
    std::optional<std::filesystem::path> fileToExportTo(const std::string& suggestedName) override;
    std::optional<std::size_t> partToImport(const std::vector<std::string>& partNames) override;

private:
    QWidget* parent_;
};
