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
    options_.push_back(
        {std::move(name), std::move(valueName), std::move(help), {}, std::move(onValue)});
    return *this;
}

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
        if (option->valueName.empty()) {
            if (hasInlineValue)
                return Status::failure("option '" + name + "' takes no value");
            option->onSeen();
            continue;
        }
        if (!hasInlineValue) {
            if (i + 1 >= argc)
                return Status::failure("option '" + name + "' needs a value (" + option->valueName +
                                       ")");
            value = argv[++i];
        }
        option->onValue(value);
    }
    return Status::success();
}

std::string CommandLine::helpText(const std::string& summary) const
{
    std::string text = "Usage: " + program_ + " [OPTION]...\n" + summary + "\n\nOptions:\n";
    std::size_t width = 0;
    auto label = [](const Option& o) {
        return o.valueName.empty() ? o.name : o.name + " " + o.valueName;
    };
    for (const Option& o : options_)
        width = std::max(width, label(o).size());
    for (const Option& o : options_) {
        std::string l = label(o);
        text += "  " + l + std::string(width - l.size() + 2, ' ') + o.help + "\n";
    }
    return text;
}
