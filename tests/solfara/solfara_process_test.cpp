// Runs the real solfara program on the offscreen platform, as a user would
// start it, and ends it with a signal.
#include "platform/testing/temp_dir.h"
#include "tests/support/run_command.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

using Finished = FinishedCommand;

// Runs solfara with `args` to completion, stdout and stderr together.
Finished runToCompletion(const std::string& args)
{
    return runCommand(std::string(SOLFARA_BINARY) + " " + args);
}

// Starts solfara on `dataDir` (with `extra`, an option and its value, if
// given), waits until it is running, sends `signalNumber` and returns the
// exit code.
int runAndSignal(const std::filesystem::path& dataDir, int signalNumber,
                 std::vector<std::string> extra = {})
{
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    // Seeded afresh, it says the program now listens for signals (left from an earlier
    // run, it would say nothing and a signal could come before the handler).
    std::filesystem::remove(dataDir / "midpatch.h");
    std::string program = SOLFARA_BINARY, option = "--data-dir", directory = dataDir.string();
    std::vector<char*> argv = {program.data(), option.data(), directory.data()};
    for (std::string& word : extra)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    if (::posix_spawn(&pid, SOLFARA_BINARY, nullptr, nullptr, argv.data(), environ) != 0)
        return -1;

    // The program seeds "midpatch.h" once it listens for signals; loading the
    // engine and showing the window follow within moments.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!std::filesystem::exists(dataDir / "midpatch.h") &&
           std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    ::kill(pid, signalNumber);

    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

} // namespace

// A first run ended by SIGTERM leaves both files; a hand-edited settings file
// (swapped first lines, a blank line shifting the rest, "A=440Hz",
// "drilltype==3") ended by SIGINT is written back as it was read.
TEST(SolfaraProcess, ASignalEndsTheProgramWithItsFilesSaved)
{
    TempDir fresh;
    ASSERT_EQ(runAndSignal(fresh.path() / "new", SIGTERM), 0);
    // Their contents are pinned where the engine writes them; here they must exist.
    const std::string settings = fresh.read("new/vox.c20");
    EXPECT_EQ(std::count(settings.begin(), settings.end(), '\n'), 20);
    EXPECT_TRUE(fresh.read("new/scales.cnl").ends_with("Tense,195\r\n"));
    // The program-name list is seeded for the Sound page.
    EXPECT_TRUE(fresh.read("new/midpatch.h").starts_with("Acoustic Grand Piano\n"));

    // No detector choice is saved until one is made.
    EXPECT_FALSE(std::filesystem::exists(fresh.file("new/solfara.cfg")));

    TempDir edited;
    edited.write("vox.c20", "cycles=1\r\nautostart=0\r\nrange=3\r\nmelosize=5\r\nscale=4\r\n"
                            "numScales=14\r\nmode=1\r\nlevel=2\r\nmidi=4294967295\r\n"
                            "miditimbre=40\r\nmidiVol=90\r\nmicVol=63\r\nmicFilter=10\r\n"
                            "A=440Hz\r\n\r\ntranspose=24\r\nnotation=0\r\nnoteName=0\r\n"
                            "drilltype==3\r\n");
    ASSERT_EQ(runAndSignal(edited.path(), SIGINT), 0);
    EXPECT_EQ(edited.read("vox.c20"),
              "autostart=1\r\ncycles=0\r\nrange=3\r\nmelosize=5\r\nscale=4\r\nnumScales=14\r\n"
              "mode=1\r\nlevel=2\r\nmidi=4294967295\r\nmiditimbre=40\r\nmidiVol=90\r\n"
              "micVol=63\r\nmicFilter=10\r\nA=440\r\ntranspose=24\r\nnotation=24\r\n"
              "noteName=0\r\ndrilltype==1\r\ncustMelody=3\r\nshapeNote=0\r\n");

    // A detector chosen on the command line is remembered beside the settings.
    ASSERT_EQ(runAndSignal(edited.path(), SIGTERM, {"--detector", "precise"}), 0);
    EXPECT_EQ(edited.read("solfara.cfg"), "detector=precise\r\n");
}

// The program's own answers to its command line (the parsing itself is
// tested with the command-line parser).
TEST(SolfaraProcess, CommandLine)
{
    TempDir dir;
    dir.write("plain-file", "x");
    dir.write("tune.musicxml", "<score-partwise><work><work-title>Tune</work-title></work>"
                               "<part id=\"P1\"><measure><note><pitch><step>G</step><octave>4"
                               "</octave></pitch></note></measure></part></score-partwise>");
    const std::string data = "--data-dir " + dir.file("data").string();
    struct Case {
        std::string args;
        int exitCode;
        std::string saying;
    };
    for (const Case& c :
         {Case{"--version", 0, "solfara 2.5\n"}, Case{"--help", 0, "--data-dir DIR"},
          Case{"--data-dir=", 2, "needs a directory"},
          Case{"--detector fast", 2, "option '--detector' needs 'classic' or 'precise'"},
          Case{"--data-dir " + dir.file("plain-file").string(), 1, "cannot use data directory"},
          Case{data + " --import-melody " + dir.file("tune.musicxml").string(), 0, "0\tTune\n"},
          Case{data + " --export-melody 0 " + dir.file("tune.mid").string(), 0, ""},
          Case{data + " --import-melody " + dir.file("tune.mid").string() + " --part 2", 2,
               "there is no part 2"},
          Case{"--import-melody x.mid --part 0", 2, "needs a part number from 1"},
          Case{"--export-melody first x.mid", 2, "needs a line number from 0"},
          Case{"--guitar", 2, "goes with --import-melody or --export-melody"}}) {
        const Finished run = runToCompletion(c.args);
        EXPECT_EQ(run.exitCode, c.exitCode) << c.args;
        EXPECT_NE(run.output.find(c.saying), std::string::npos) << c.args << ": " << run.output;
    }
}
