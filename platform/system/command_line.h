#pragma once

#include "base/result.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// A small command-line parser: long options only ("--name" and, for options
// that take a value, "--name VALUE" or "--name=VALUE"). Each option is one
// add() call, so a new option costs a line or two where the program lists its
// options.
class CommandLine {
public:
    explicit CommandLine(std::string program) : program_(std::move(program)) {}

    // An option without a value.
    CommandLine& add(std::string name, std::string help, std::function<void()> onSeen);
    // An option with a value; `valueName` is shown in the help ("DIR", "FILE").
    CommandLine& add(std::string name, std::string valueName, std::string help,
                     std::function<void(const std::string&)> onValue);
    // An option with several values in a row ("--export-melody N FILE"); the first may
    // also be joined with "=".
    CommandLine& addWithValues(std::string name, std::vector<std::string> valueNames,
                               std::string help,
                               std::function<void(const std::vector<std::string>&)> onValues);

    // Parses argv[1..]. Fails with a one-line reason for an unknown option, a
    // missing value, or a stray argument.
    Status parse(int argc, const char* const* argv);

    // The option list for --help.
    std::string helpText(const std::string& summary) const;

private:
    struct Option {
        std::string name;
        std::vector<std::string> valueNames; // empty: takes no value
        std::string help;
        std::function<void()> onSeen;
        std::function<void(const std::vector<std::string>&)> onValues;
    };
    const Option* find(const std::string& name) const;

    std::string program_;
    std::vector<Option> options_;
};

// An option's value as a whole number from `least` on (digits only, at most
// eight of them), or nothing.
std::optional<int> wholeNumberArgument(const std::string& text, int least);

// The first fault of a parsed command line in the order the programs report
// them: the parse itself, the window scale, an empty --data-dir; empty when
// there is none.
std::string commonCommandLineError(const Status& parsed, const std::string& scaleError,
                                   const std::optional<std::filesystem::path>& dataDirectory);

// The practice history options both programs take: "--history", "--days N", "--csv".
struct HistoryOptions {
    bool print = false;
    bool csv = false;
    std::optional<std::string> daysText;
    int days = 0; // 0: every day; set by historyOptionsError
};
// Adds the three options; `csvRows` says what --csv prints ("every session").
void addHistoryOptions(CommandLine& commandLine, HistoryOptions& options,
                       const std::string& csvRows);
// Checks --days and sets `days`; the fault, or empty.
std::string historyOptionsError(HistoryOptions& options);
