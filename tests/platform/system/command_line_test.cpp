#include "platform/system/command_line.h"

#include <gtest/gtest.h>

namespace {

struct Options {
    std::string dir;
    bool verbose = false;
    std::vector<std::string> pair;
    CommandLine commandLine{"prog"};
    Options()
    {
        commandLine.add("--data-dir", "DIR", "where the files are", [&](auto& v) { dir = v; })
            .add("--verbose", "talk", [&] { verbose = true; })
            .addWithValues("--copy", {"N", "FILE"}, "copy N to FILE", [&](auto& v) { pair = v; });
    }
};

// What parsing the arguments gives: the options seen, or the error.
std::string parse(std::vector<const char*> args)
{
    Options o;
    args.insert(args.begin(), "prog");
    if (Status parsed = o.commandLine.parse(static_cast<int>(args.size()), args.data()); !parsed)
        return parsed.message();
    std::string seen = "dir " + o.dir + (o.verbose ? ", verbose" : "");
    for (const std::string& v : o.pair)
        seen += " " + v;
    return seen;
}

TEST(CommandLine, RejectsUnknownOptionsWhateverTheValueSyntax)
{
    const std::pair<std::vector<const char*>, std::string> cases[] = {
        {{"--data-dir", "/tmp/x", "--verbose"}, "dir /tmp/x, verbose"},
        {{"--data-dir=a=b"}, "dir a=b"},
        {{"--data-dir", "--verbose"}, "dir --verbose"}, // a value may look like an option
        {{"--colour"}, "unknown option '--colour'"},
        {{"-v"}, "unexpected argument '-v'"},
        {{"--"}, "unexpected argument '--'"},
        {{"--data-dir"}, "option '--data-dir' needs a value (DIR)"},
        {{"--verbose=yes"}, "option '--verbose' takes no value"},
        {{"--copy", "3", "out.mid", "--verbose"}, "dir , verbose 3 out.mid"},
        {{"--copy=3", "out.mid"}, "dir  3 out.mid"},
        {{"--copy", "3"}, "option '--copy' needs values (N FILE)"},
    };
    for (const auto& [args, expected] : cases)
        EXPECT_EQ(parse(args), expected);
}

TEST(CommandLine, HelpListsEveryOptionAligned)
{
    EXPECT_EQ(Options().commandLine.helpText("Does things."),
              "Usage: prog [OPTION]...\nDoes things.\n\nOptions:\n"
              "  --data-dir DIR  where the files are\n"
              "  --verbose       talk\n"
              "  --copy N FILE   copy N to FILE\n");
}

} // namespace
