// Any bytes as a command line (arguments separated by NUL bytes), parsed with
// options of both kinds: parsing either succeeds or says why, and every
// option it accepted was handed over exactly once per occurrence.
#include "fuzz/scratch_file.h"
#include "platform/system/command_line.h"

#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::vector<std::string> arguments{"solfara"};
    std::string current;
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == 0) {
            arguments.push_back(current);
            current.clear();
        } else {
            current += char(data[i]);
        }
    }
    arguments.push_back(current);
    std::vector<const char*> argv;
    for (const std::string& argument : arguments)
        argv.push_back(argument.c_str());

    int flagsSeen = 0;
    std::vector<std::string> values;
    CommandLine commandLine("solfara");
    commandLine
        .add("--data-dir", "DIR", "keep the data files in DIR",
             [&](const std::string& value) { values.push_back(value); })
        .add("--verbose", "let the sound libraries print their messages", [&] { ++flagsSeen; });
    const bool parsed = commandLine.parse(int(argv.size()), argv.data());
    requireProperty(parsed == commandLine.error().empty(), "a refused command line says why");
    if (parsed) {
        // Each argument is an option, or the value that follows "--data-dir".
        const std::size_t separateValues = arguments.size() - 1 - flagsSeen - values.size();
        requireProperty(separateValues <= values.size(), "no argument is lost or counted twice");
    }
    commandLine.helpText("A sight-singing trainer.");
    return 0;
}
