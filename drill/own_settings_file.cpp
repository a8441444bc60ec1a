#include "drill/own_settings_file.h"

#include <fstream>
#include <optional>
#include <sstream>
#include <string_view>

namespace {

constexpr std::string_view detectorKey = "detector";
constexpr std::string_view microphoneKey = "microphone";
constexpr std::string_view checkOfferedKey = "microphoneCheckOffered";
constexpr std::string_view toleranceKey = "tolerance";
constexpr std::string_view sightKey = "sight";

std::string_view trimmedLine(std::string_view line)
{
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t'))
        line.remove_suffix(1);
    return line;
}

// The value of a "key=value" line for `key`, or nothing.
std::optional<std::string_view> valueOf(std::string_view line, std::string_view key)
{
    if (line.size() < key.size() + 1 || !line.starts_with(key) || line[key.size()] != '=')
        return std::nullopt;
    return line.substr(key.size() + 1);
}

std::optional<DetectorKind> oldDetectorChoice(const std::filesystem::path& dataDirectory)
{
    std::ifstream file(dataDirectory / kOldDetectorChoiceFileName, std::ios::binary);
    std::string line;
    if (!std::getline(file, line))
        return std::nullopt;
    const auto value = valueOf(trimmedLine(line), detectorKey);
    return value ? detectorKindOfKeyword(*value) : std::nullopt;
}

} // namespace

OwnSettings readOwnSettings(const std::filesystem::path& dataDirectory)
{
    OwnSettings settings;
    std::optional<DetectorKind> detector;
    std::ifstream file(dataDirectory / kOwnSettingsFileName, std::ios::binary);
    for (std::string text; std::getline(file, text);) {
        const std::string_view line = trimmedLine(text);
        if (line.empty())
            continue;
        if (auto value = valueOf(line, detectorKey)) {
            detector = detectorKindOfKeyword(*value);
            if (!detector)
                detector = DetectorKind::Classic;
        } else if (auto name = valueOf(line, microphoneKey)) {
            settings.microphone = std::string(*name);
        } else if (auto offered = valueOf(line, checkOfferedKey)) {
            settings.microphoneCheckOffered = *offered == "1";
        } else if (auto tolerance = valueOf(line, toleranceKey)) {
            // A word this version does not offer reads as "Any", today's rule.
            if (!readToleranceKeyword(*tolerance, settings.practice.toleranceCents))
                settings.practice.toleranceCents.reset();
        } else if (auto sight = valueOf(line, sightKey)) {
            settings.practice.sight = sightOfKeyword(*sight).value_or(SightMode::Always);
        } else {
            settings.otherLines.emplace_back(line);
        }
    }
    settings.detector =
        detector.value_or(oldDetectorChoice(dataDirectory).value_or(DetectorKind::Classic));
    return settings;
}

Status writeOwnSettings(const std::filesystem::path& dataDirectory, const OwnSettings& settings)
{
    std::ostringstream text;
    text << detectorKey << '=' << detectorKeyword(settings.detector) << "\r\n";
    if (!settings.microphone.empty())
        text << microphoneKey << '=' << settings.microphone << "\r\n";
    if (settings.microphoneCheckOffered)
        text << checkOfferedKey << "=1\r\n";
    // Today's rules ("Any", the melody first) leave no lines.
    if (settings.practice.toleranceCents)
        text << toleranceKey << '=' << toleranceKeyword(settings.practice.toleranceCents) << "\r\n";
    if (settings.practice.sight != SightMode::Always)
        text << sightKey << '=' << sightKeyword(settings.practice.sight) << "\r\n";
    for (const std::string& line : settings.otherLines)
        text << line << "\r\n";

    const std::filesystem::path target = dataDirectory / kOwnSettingsFileName;
    std::filesystem::path fresh = target;
    fresh += ".new";
    const std::string failure = "Cannot save the settings in " + target.string();
    {
        std::ofstream file(fresh, std::ios::binary | std::ios::trunc);
        file << text.str();
        file.close();
        if (!file) {
            std::error_code ignored;
            std::filesystem::remove(fresh, ignored);
            return Status::failure(failure);
        }
    }
    std::error_code error;
    std::filesystem::rename(fresh, target, error);
    if (error) {
        std::filesystem::remove(fresh, error);
        return Status::failure(failure);
    }
    return Status::success();
}

Status updateOwnSettings(const std::filesystem::path& dataDirectory,
                         const std::function<void(OwnSettings&)>& change)
{
    OwnSettings settings = readOwnSettings(dataDirectory);
    change(settings);
    return writeOwnSettings(dataDirectory, settings);
}
