#include "music/scale_file.h"

#include "music/number_parse.h"
#include "music/text_lines.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>

namespace {

// A sensible scale line is well under a hundred characters; anything beyond
// this in a damaged file is skipped.
constexpr std::size_t kMaxScaleLineKept = 4096;

ScaleRecord parseScaleLine(const std::string& line)
{
    std::size_t comma = line.rfind(',');
    if (comma == std::string::npos)
        return {0, fitScaleName(line)};
    auto mask = parseWrappingInt(std::string_view(line).substr(comma + 1));
    return {static_cast<std::uint32_t>(mask), fitScaleName(line.substr(0, comma))};
}

} // namespace

ScaleList loadScales(const std::filesystem::path& file, int numScales)
{
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        // Create only: appending never truncates a file that appeared meanwhile.
        std::ofstream create(file, std::ios::binary | std::ios::app);
        return builtInScales();
    }

    const int wanted = std::clamp(numScales, kBuiltInScaleCount, kMaxScales);
    ScaleList scales;
    std::string line;
    while (static_cast<int>(scales.size()) < wanted && readDataLine(in, line, kMaxScaleLineKept))
        scales.push_back(parseScaleLine(line));

    const ScaleList& builtIn = builtInScales();
    for (std::size_t i = scales.size(); i < builtIn.size(); ++i)
        scales.push_back(builtIn[i]);
    return scales;
}

Status saveScales(const std::filesystem::path& file, const ScaleList& scales)
{
    // in|out opens an existing file for writing at its start without truncating it.
    std::fstream out(file, std::ios::in | std::ios::out | std::ios::binary);
    if (!out)
        return Status::failure("Cannot open \"" + file.string() +
                               "\" for writing: " + std::strerror(errno) + ".");
    std::string text;
    for (const ScaleRecord& scale : scales) {
        // A line break inside a name would split the record in two on the next load.
        for (char c : scale.name)
            text += (c == '\r' || c == '\n') ? ' ' : c;
        text += ',';
        text += std::to_string(static_cast<std::int32_t>(scale.mask));
        text += "\r\n";
    }
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.close();
    if (out.fail())
        return Status::failure("Cannot write \"" + file.string() + "\".");
    return Status::success();
}
