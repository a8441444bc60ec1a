#include "history/history_log.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Closes a line that a writer left without its end: the line is marked, so
// that a reader skips it even where the cut left it the right field count.
constexpr std::string_view tornField = "#torn";

std::string cleanField(std::string_view value)
{
    std::string clean(value);
    for (char& c : clean)
        if (c == '\t' || c == '\n' || c == '\r')
            c = ' ';
    return clean;
}

Status failure(const std::filesystem::path& file, const char* what)
{
    return Status::failure("The practice history \"" + file.string() + "\" could not be " + what +
                           ": " + std::strerror(errno) + ".");
}

// Splits at tabs without copying, into `parts` (reused from line to line).
void splitFields(std::string_view line, std::vector<std::string_view>& parts)
{
    parts.clear();
    std::size_t start = 0;
    while (true) {
        const std::size_t tab = line.find('\t', start);
        parts.push_back(line.substr(start, tab == std::string_view::npos ? tab : tab - start));
        if (tab == std::string_view::npos)
            return;
        start = tab + 1;
    }
}

} // namespace

HistoryWriter::HistoryWriter(std::filesystem::path file, int version,
                             std::vector<std::string> columns)
    : file_(std::move(file)), columnCount_(columns.size())
{
    header_ = "#v" + std::to_string(version);
    for (const std::string& column : columns)
        header_ += "\t" + cleanField(column);
    header_ += "\n";
}

Status HistoryWriter::append(const std::vector<std::string>& values)
{
    std::string line;
    for (std::size_t i = 0; i < columnCount_; ++i) {
        if (i > 0)
            line += '\t';
        if (i < values.size())
            line += cleanField(values[i]);
    }
    line += '\n';

    std::error_code ignored;
    std::filesystem::create_directories(file_.parent_path(), ignored);
    // Read as well: the last byte tells whether a torn line must be closed.
    const int fd = ::open(file_.c_str(), O_RDWR | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0)
        return failure(file_, "opened");
    // A line left without its end by a program that died while writing it
    // is closed first, so that this row starts on a line of its own.
    std::string text;
    struct stat info {};
    if (fstat(fd, &info) == 0 && info.st_size > 0) {
        char last = '\n';
        if (pread(fd, &last, 1, info.st_size - 1) == 1 && last != '\n')
            text = "\t" + std::string(tornField) + "\n";
    }
    if (!headerWritten_)
        text += header_;
    text += line;
    const ssize_t written = ::write(fd, text.data(), text.size());
    const bool whole = written == static_cast<ssize_t>(text.size());
    Status status = whole ? Status::success() : failure(file_, "written");
    if (::close(fd) != 0 && status)
        status = failure(file_, "written");
    if (whole)
        headerWritten_ = true;
    return status;
}

int visitHistoryText(std::string_view text, const std::vector<std::string>& columns,
                     const HistoryRowVisitor& visit)
{
    int damaged = 0;
    std::vector<int> where(columns.size(), -1); // field index of each asked column
    std::size_t fieldCount = 0;
    bool haveHeader = false;
    std::size_t start = 0;
    std::vector<std::string_view> parts;
    std::vector<std::string_view> row(columns.size());
    while (start < text.size()) {
        const std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) { // torn: the writer died within it
            ++damaged;
            break;
        }
        std::string_view line = text.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.empty())
            continue;
        splitFields(line, parts);
        if (parts.back() == tornField) {
            ++damaged;
            continue;
        }
        if (line.starts_with("#v")) {
            haveHeader = true;
            fieldCount = parts.size() - 1;
            for (std::size_t c = 0; c < columns.size(); ++c) {
                where[c] = -1;
                for (std::size_t f = 1; f < parts.size(); ++f)
                    if (parts[f] == columns[c])
                        where[c] = static_cast<int>(f - 1);
            }
            continue;
        }
        if (!haveHeader || parts.size() != fieldCount) {
            ++damaged;
            continue;
        }
        for (std::size_t c = 0; c < columns.size(); ++c)
            row[c] = where[c] >= 0 ? parts[static_cast<std::size_t>(where[c])] : std::string_view();
        visit(row);
    }
    return damaged;
}

HistoryTable historyOfText(std::string_view text, const std::vector<std::string>& columns)
{
    HistoryTable table;
    table.damaged =
        visitHistoryText(text, columns, [&table](std::span<const std::string_view> row) {
            table.rows.emplace_back(row.begin(), row.end());
        });
    return table;
}

namespace {

Result<std::string> historyText(const std::filesystem::path& file)
{
    std::error_code error;
    if (!std::filesystem::exists(file, error))
        return std::string();
    std::ifstream in(file, std::ios::binary);
    const std::uintmax_t size = std::filesystem::file_size(file, error);
    if (!in || error)
        return failure(file, "read");
    std::string text(static_cast<std::size_t>(size), '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    text.resize(static_cast<std::size_t>(in.gcount())); // a file shortened meanwhile
    if (in.bad())
        return failure(file, "read");
    return text;
}

} // namespace

Result<int> visitHistory(const std::filesystem::path& file, const std::vector<std::string>& columns,
                         const HistoryRowVisitor& visit)
{
    auto text = historyText(file);
    if (!text)
        return text.status();
    return visitHistoryText(*text, columns, visit);
}

Result<HistoryTable> readHistory(const std::filesystem::path& file,
                                 const std::vector<std::string>& columns)
{
    auto text = historyText(file);
    if (!text)
        return text.status();
    return historyOfText(*text, columns);
}

void HistoryFailureNotice::operator()(const Status& written)
{
    if (written || told_)
        return;
    out_ << program_ << ": " << written.message() << "\n";
    told_ = true;
}
