// Both programs started from a shell with no graphical session: the options
// that need no window still work, and the window itself is refused with a
// plain message and exit code 1 instead of Qt's abort.
#include "tests/support/run_command.h"
#include "platform/testing/sound_samples.h"
#include "platform/testing/temp_dir.h"
#include "tests/support/wav_writer.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using Finished = FinishedCommand;

// Runs `program args` with no display variables and `platform` as
// QT_QPA_PLATFORM (empty: unset).
Finished runWithoutDisplay(const std::string& program, const std::string& args,
                           const std::string& platform = "")
{
    std::string command = "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM ";
    if (!platform.empty())
        command += "QT_QPA_PLATFORM=" + platform + " ";
    return runCommand(command + program + " " + args + " </dev/null");
}

const char* const kPrograms[] = {SOLFARA_BINARY, BEATWISE_BINARY};

} // namespace

TEST(StartupWithoutDisplay, TheWindowIsRefusedWithAPlainMessage)
{
    // "xcb" is the platform Qt aborts in when it finds no X server.
    for (const char* platform : {"", "xcb", "wayland"}) {
        for (const char* program : kPrograms) {
            SCOPED_TRACE(std::string(program) + " QT_QPA_PLATFORM=" + platform);
            TempDir data;
            const std::string args =
                std::string(program) == SOLFARA_BINARY ? "--data-dir " + data.path().string() : "";
            const Finished run = runWithoutDisplay(program, args, platform);
            EXPECT_EQ(run.exitCode, 1);
            EXPECT_NE(run.output.find("a graphical session is needed"), std::string::npos)
                << run.output;
            EXPECT_EQ(run.output.find("Reinstalling"), std::string::npos) << run.output;
        }
    }
}

TEST(StartupWithoutDisplay, TextCommandsNeedNoDisplay)
{
    for (const char* program : kPrograms) {
        SCOPED_TRACE(program);
        const Finished help = runWithoutDisplay(program, "--help");
        EXPECT_EQ(help.exitCode, 0);
        // The SoundFont fallbacks in the order the program searches them.
        EXPECT_NE(help.output.find("$SOLFARA_SOUNDFONT, else /usr/share/sounds/sf2/default-GM.sf2, "
                                   "else the first other .sf2 file"),
                  std::string::npos)
            << help.output;
        EXPECT_EQ(runWithoutDisplay(program, "--version").exitCode, 0);
    }

    TempDir dir;
    const std::string recording = dir.file("a440.wav").string();
    ASSERT_TRUE(writeSoundFile(recording, SF_FORMAT_WAV | SF_FORMAT_PCM_16, 11025, 1,
                               sine(440.0, 11025, 11025, 0.5)));
    const Finished detect = runWithoutDisplay(SOLFARA_BINARY, "--detect " + recording);
    EXPECT_EQ(detect.exitCode, 0) << detect.output;
    EXPECT_NE(detect.output.find("A4"), std::string::npos) << detect.output;
}
