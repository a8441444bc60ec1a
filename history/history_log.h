#pragma once

#include "base/result.h"

#include <cstddef>
#include <filesystem>
#include <functional>
#include <ostream>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// Practice history: append-only tab-separated text files, one row a line.
//
//   #v1<TAB>time<TAB>tempo<TAB>...    a header: the format version, then the
//                                     names of the columns of the rows below it
//   2026-12-07T10:15:00+01:00<TAB>80  a row, its fields in that order
//
// Rows are never rewritten or migrated. Each run of a program writes its own
// header before its first row, so a newer version simply adds columns, and a
// reader takes the columns it knows by name and ignores the others. Each row
// (with that header) goes to the file in one write on a file opened for
// appending: a program killed at any moment loses at most the row it was
// writing, and that torn line, which lacks its line end, is skipped.

// Appends rows of fixed columns to one history file.
class HistoryWriter {
public:
    HistoryWriter(std::filesystem::path file, int version, std::vector<std::string> columns);

    // Appends one row, `values` in the columns' order (missing ones empty,
    // extra ones dropped); tabs and line ends inside a value become spaces.
    // Creates the file and its folder when missing.
    Status append(const std::vector<std::string>& values);

    const std::filesystem::path& file() const { return file_; }

private:
    std::filesystem::path file_;
    std::string header_; // written before this writer's first row
    std::size_t columnCount_;
    bool headerWritten_ = false;
};

// The rows of a history file in the columns a reader asked for.
struct HistoryTable {
    std::vector<std::vector<std::string>> rows; // in the asked order; unknown ones empty
    int damaged = 0; // lines skipped: before any header, wrong field count, or torn
};

// Reads `file`; a missing file is an empty table, an unreadable one a failure.
Result<HistoryTable> readHistory(const std::filesystem::path& file,
                                 const std::vector<std::string>& columns);
// The same over text already in memory (tests, fuzzing).
HistoryTable historyOfText(std::string_view text, const std::vector<std::string>& columns);

// Hands each row of `file` to `visit` in the columns asked for, without keeping
// them: the fields are valid during the call only. The damaged lines, or a
// failure for an unreadable file; a missing file has no rows.
using HistoryRowVisitor = std::function<void(std::span<const std::string_view> row)>;
Result<int> visitHistory(const std::filesystem::path& file, const std::vector<std::string>& columns,
                         const HistoryRowVisitor& visit);
int visitHistoryText(std::string_view text, const std::vector<std::string>& columns,
                     const HistoryRowVisitor& visit);

// The first failed write of a run, said on `out` as "<program>: <reason>";
// later ones are quiet, and practice goes on either way.
class HistoryFailureNotice {
public:
    HistoryFailureNotice(std::string program, std::ostream& out)
        : program_(std::move(program)), out_(out)
    {
    }
    void operator()(const Status& written);

private:
    std::string program_;
    std::ostream& out_;
    bool told_ = false;
};
