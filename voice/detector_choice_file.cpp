#include "voice/detector_choice_file.h"

#include <fstream>
#include <string>

namespace {

constexpr std::string_view linePrefix = "detector=";

} // namespace

DetectorKind readDetectorChoice(const std::filesystem::path& dataDirectory)
{
    std::ifstream file(dataDirectory / kDetectorChoiceFileName, std::ios::binary);
    std::string line;
    if (!std::getline(file, line))
        return DetectorKind::Classic;
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t'))
        line.pop_back();
    if (!line.starts_with(linePrefix))
        return DetectorKind::Classic;
    return detectorKindOfKeyword(std::string_view(line).substr(linePrefix.size()))
        .value_or(DetectorKind::Classic);
}

Status writeDetectorChoice(const std::filesystem::path& dataDirectory, DetectorKind kind)
{
    const std::filesystem::path target = dataDirectory / kDetectorChoiceFileName;
    std::filesystem::path fresh = target;
    fresh += ".new";
    const std::string failure = "Cannot save the detector choice in " + target.string();
    {
        std::ofstream file(fresh, std::ios::binary | std::ios::trunc);
        file << linePrefix << detectorKeyword(kind) << "\r\n";
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
