#include "platform/system/command_line.h"

#include <gtest/gtest.h>

namespace {

struct Parsed {
    bool ok = false;
    std::string error;
    std::string dir;
    bool verbose = false;
};

Parsed parse(std::vector<const char*> args)
{
    Parsed parsed;
    CommandLine commandLine("prog");
    commandLine.add("--dir", "DIR", "where", [&](const std::string& v) { parsed.dir = v; })
        .add("--verbose", "talk", [&] { parsed.verbose = true; });
    args.insert(args.begin(), "prog");
    parsed.ok = commandLine.parse(static_cast<int>(args.size()), args.data());
    parsed.error = commandLine.error();
    return parsed;
}

} // namespace

TEST(CommandLine, AcceptsValuesSeparateOrJoined)
{
    Parsed separate = parse({"--dir", "/tmp/x", "--verbose"});
    EXPECT_TRUE(separate.ok);
    EXPECT_EQ(separate.dir, "/tmp/x");
    EXPECT_TRUE(separate.verbose);

    Parsed joined = parse({"--dir=a=b"});
    EXPECT_TRUE(joined.ok);
    EXPECT_EQ(joined.dir, "a=b");
    EXPECT_FALSE(joined.verbose);

    // A value may look like an option.
    EXPECT_EQ(parse({"--dir", "--verbose"}).dir, "--verbose");
}

TEST(CommandLine, RejectsWhatItDoesNotKnow)
{
    EXPECT_EQ(parse({"--colour"}).error, "unknown option '--colour'");
    EXPECT_EQ(parse({"-v"}).error, "unexpected argument '-v'");
    EXPECT_EQ(parse({"file.txt"}).error, "unexpected argument 'file.txt'");
    EXPECT_EQ(parse({"--"}).error, "unexpected argument '--'");
    EXPECT_EQ(parse({"--dir"}).error, "option '--dir' needs a value (DIR)");
    EXPECT_EQ(parse({"--verbose=yes"}).error, "option '--verbose' takes no value");
}

TEST(CommandLine, HelpListsEveryOptionAligned)
{
    CommandLine commandLine("prog");
    commandLine.add("--data-dir", "DIR", "where the files are", [](const std::string&) {})
        .add("--help", "this list", [] {});
    EXPECT_EQ(commandLine.helpText("Does things."),
              "Usage: prog [OPTION]...\nDoes things.\n\nOptions:\n"
              "  --data-dir DIR  where the files are\n"
              "  --help          this list\n");
}
