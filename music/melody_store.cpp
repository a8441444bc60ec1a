#include "music/melody_store.h"

#include "music/whole_file.h"

#include <string_view>

namespace {

// The file split after every LF; the last piece is a line only when bytes
// follow the last LF. Each piece keeps its own line end.
std::vector<std::string_view> rawLines(std::string_view bytes)
{
    std::vector<std::string_view> lines;
    while (!bytes.empty()) {
        const std::size_t end = bytes.find('\n');
        const std::size_t length = end == std::string_view::npos ? bytes.size() : end + 1;
        lines.push_back(bytes.substr(0, length));
        bytes.remove_prefix(length);
    }
    return lines;
}

// A line copied unchanged by replace or delete: the program's text files end
// every line read and written back with CR LF after its own text, so CR CR LF
// and CR LF stay as they are and a bare LF becomes CR LF. A last line without
// any line end is copied as it is.
std::string copiedLine(std::string_view raw)
{
    if (raw.empty() || raw.back() != '\n')
        return std::string(raw);
    raw.remove_suffix(1);
    if (!raw.empty() && raw.back() == '\r')
        raw.remove_suffix(1);
    return std::string(raw) + "\r\n";
}

bool isLine(int k, std::size_t count)
{
    return k >= 0 && static_cast<std::size_t>(k) < count;
}

} // namespace

std::filesystem::path melodyFilePath(const std::filesystem::path& dataDir, AnswerMode mode)
{
    return dataDir / (mode == AnswerMode::Guitar ? "mel2.ssc" : "mel.ssc");
}

MelodyStore::MelodyStore(std::filesystem::path dataDir, AnswerMode mode)
    : dataDir_(std::move(dataDir)), file_(melodyFilePath(dataDir_, mode))
{
}

Result<std::vector<std::string>> MelodyStore::lines() const
{
    const auto bytes = readWholeFile(file_);
    if (!bytes)
        return bytes.status();
    std::vector<std::string> texts;
    for (std::string_view raw : rawLines(*bytes))
        texts.emplace_back(lineText(raw));
    return texts;
}

std::vector<std::string> MelodyStore::names() const
{
    std::vector<std::string> names;
    if (const auto all = lines(); all)
        for (const std::string& line : *all)
            names.push_back(melodyLineName(line));
    return names;
}

std::optional<CustomMelody> MelodyStore::load(int k) const
{
    const auto all = lines();
    if (!all || !isLine(k, all->size()))
        return std::nullopt;
    return parseMelodyLine((*all)[static_cast<std::size_t>(k)]);
}

Status MelodyStore::append(const CustomMelody& melody)
{
    return appendAll({melody});
}

Status MelodyStore::appendAll(const std::vector<CustomMelody>& melodies)
{
    for (const CustomMelody& melody : melodies)
        if (!isWritableMelody(melody))
            return Status::failure(unwritableMelodyText);
    // The whole file is rewritten with the new lines at its end, so a failed
    // write never leaves half a line behind.
    std::string bytes;
    std::error_code noFile;
    if (std::filesystem::exists(file_, noFile)) {
        const auto old = readWholeFile(file_);
        if (!old)
            return old.status();
        bytes = *old;
    }
    // A file whose last line has no line end (written by another tool) gets
    // one first, or the new melody would be glued onto that line.
    if (!bytes.empty() && bytes.back() != '\n')
        bytes += "\r\n";
    for (const CustomMelody& melody : melodies)
        bytes += formatMelodyLine(melody);
    return replaceWholeFile(file_, scratchFile(), bytes);
}

Status MelodyStore::replace(int k, const CustomMelody& melody)
{
    if (!isWritableMelody(melody))
        return Status::failure(unwritableMelodyText);
    const auto bytes = readWholeFile(file_);
    if (!bytes)
        return bytes.status();
    const auto raw = rawLines(*bytes);
    std::string rewritten;
    for (std::size_t i = 0; i < raw.size(); ++i)
        rewritten += isLine(k, raw.size()) && i == static_cast<std::size_t>(k)
                         ? formatMelodyLine(melody)
                         : copiedLine(raw[i]);
    return replaceWholeFile(file_, scratchFile(), rewritten);
}

Status MelodyStore::remove(int k, int& custMelody)
{
    const auto bytes = readWholeFile(file_);
    if (!bytes)
        return bytes.status();
    const auto raw = rawLines(*bytes);
    std::string rewritten;
    std::size_t kept = 0;
    for (std::size_t i = 0; i < raw.size(); ++i) {
        if (isLine(k, raw.size()) && i == static_cast<std::size_t>(k))
            continue;
        rewritten += copiedLine(raw[i]);
        ++kept;
    }
    if (Status replaced = replaceWholeFile(file_, scratchFile(), rewritten); !replaced)
        return replaced;
    if (!isLine(custMelody, kept))
        custMelody = 0;
    return Status::success();
}
