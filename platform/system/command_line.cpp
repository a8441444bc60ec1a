#include "platform/system/command_line.h"

#include <algorithm>

CommandLine& CommandLine::add(std::string name, std::string help, std::function<void()> onSeen)
{
    options_.push_back({std::move(name), {}, std::move(help), std::move(onSeen), {}});
    return *this;
}

CommandLine& CommandLine::add(std::string name, std::string valueName, std::string help,
                              std::function<void(const std::string&)> onValue)
{
    return addWithValues(std::move(name), {std::move(valueName)}, std::move(help),
                         [onValue = std::move(onValue)](const std::vector<std::string>& values) {
                             onValue(values.front());
                         });
}

CommandLine&
CommandLine::addWithValues(std::string name, std::vector<std::string> valueNames, std::string help,
                           std::function<void(const std::vector<std::string>&)> onValues)
{
    options_.push_back(
        {std::move(name), std::move(valueNames), std::move(help), {}, std::move(onValues)});
    return *this;
}

namespace {

std::string joined(const std::vector<std::string>& words)
{
    std::string text;
    for (const std::string& word : words)
        text += (text.empty() ? "" : " ") + word;
    return text;
}

} // namespace

const CommandLine::Option* CommandLine::find(const std::string& name) const
{
    auto it = std::find_if(options_.begin(), options_.end(),
                           [&](const Option& o) { return o.name == name; });
    return it == options_.end() ? nullptr : &*it;
}

Status CommandLine::parse(int argc, const char* const* argv)
{
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg.rfind("--", 0) != 0 || arg.size() == 2)
            return Status::failure("unexpected argument '" + arg + "'");
        std::string name = arg;
        std::string value;
        bool hasInlineValue = false;
        if (auto equals = arg.find('='); equals != std::string::npos) {
            name = arg.substr(0, equals);
            value = arg.substr(equals + 1);
            hasInlineValue = true;
        }
        const Option* option = find(name);
        if (!option)
            return Status::failure("unknown option '" + name + "'");
        if (option->valueNames.empty()) {
            if (hasInlineValue)
                return Status::failure("option '" + name + "' takes no value");
            option->onSeen();
            continue;
        }
        std::vector<std::string> values;
        if (hasInlineValue)
            values.push_back(value);
        while (values.size() < option->valueNames.size()) {
            if (i + 1 >= argc)
                return Status::failure("option '" + name + "' needs " +
                                       (option->valueNames.size() == 1 ? "a value" : "values") +
                                       " (" + joined(option->valueNames) + ")");
            values.push_back(argv[++i]);
        }
        option->onValues(values);
    }
    return Status::success();
}

std::string CommandLine::helpText(const std::string& summary) const
{
    std::string text = "Usage: " + program_ + " [OPTION]...\n" + summary + "\n\nOptions:\n";
    std::size_t width = 0;
    auto label = [](const Option& o) {
        return o.valueNames.empty() ? o.name : o.name + " " + joined(o.valueNames);
    };
    for (const Option& o : options_)
        width = std::max(width, label(o).size());
    for (const Option& o : options_) {
        std::string l = label(o);
        text += "  " + l + std::string(width - l.size() + 2, ' ') + o.help + "\n";
    }
    return text;
}

std::optional<int> wholeNumberArgument(const std::string& text, int least)
{
    const bool digits = !text.empty() && text.size() < 9 &&
                        text.find_first_not_of("0123456789") == std::string::npos;
    if (!digits || std::stoi(text) < least)
        return std::nullopt;
    return std::stoi(text);
}

std::string commonCommandLineError(const Status& parsed, const std::string& scaleError,
                                   const std::optional<std::filesystem::path>& dataDirectory)
{
    if (!parsed)
        return parsed.message();
    if (!scaleError.empty())
        return scaleError;
    if (dataDirectory && dataDirectory->empty())
        return "option '--data-dir' needs a directory";
    return {};
}

void addHistoryOptions(CommandLine& commandLine, HistoryOptions& options,
                       const std::string& csvRows)
{
    commandLine
        .add("--history", "print the practice history, one line per day, and exit",
             [&options] { options.print = true; })
        .add("--days", "N", "with --history: only the last N days",
             [&options](const std::string& text) { options.daysText = text; })
        .add("--csv", "with --history: print " + csvRows + " as comma-separated values",
             [&options] { options.csv = true; });
}

std::string historyOptionsError(HistoryOptions& options)
{
    if (!options.daysText)
        return {};
    if (const std::optional<int> days = wholeNumberArgument(*options.daysText, 1)) {
        options.days = *days;
        return {};
    }
    return "option '--days' needs a number of days from 1, not '" + *options.daysText + "'";
}
