#include "base/version.h"
#include "beatwise/beatwise_app.h"
#include "platform/gdi/window_scale.h"
#include "platform/midi/soundfont_locator.h"
#include "platform/system/command_line.h"
#include "platform/system/graphical_session.h"
#include "rhythm/session_history.h"

#include <chrono>
#include <iostream>
#include <optional>

// beatwise's command line: each option is one add() below.
int main(int argc, char* argv[])
{
    BeatwiseOptions options;
    bool showHelp = false;
    bool showVersion = false;
    std::string scaleError;
    HistoryOptions history;

    CommandLine commandLine("beatwise");
    commandLine
        .add("--soundfont", "FILE",
             "sound with the General MIDI SoundFont FILE (" + std::string(kSoundFontDefaultsHelp) +
                 ")",
             [&](const std::string& file) { options.soundFont = file; })
        .add("--scale", "N", gdi::kScaleOptionHelp,
             gdi::scaleOptionHandler(options.scale, scaleError))
        .add("--verbose", "let the sound libraries print their messages",
             [&] { options.verbose = true; })
        .add("--data-dir", "DIR",
             "keep the practice history in DIR (default: $XDG_DATA_HOME/beatwise, normally "
             "~/.local/share/beatwise)",
             [&](const std::string& dir) { options.dataDirectory = dir; });
    addHistoryOptions(commandLine, history, "every session");
    commandLine.add("--help", "list the options and exit", [&] { showHelp = true; })
        .add("--version", "print the version and exit", [&] { showVersion = true; });

    std::string error =
        commonCommandLineError(commandLine.parse(argc, argv), scaleError, options.dataDirectory);
    if (error.empty())
        error = historyOptionsError(history);
    if (!error.empty()) {
        std::cerr << "beatwise: " << error << "\nTry 'beatwise --help' for the options.\n";
        return 2;
    }
    if (showHelp) {
        std::cout << commandLine.helpText("A steady-pulse trainer.");
        return 0;
    }
    if (showVersion) {
        std::cout << "beatwise " << kSolfaraVersion << "\n";
        return 0;
    }
    if (history.print) {
        const Status printed =
            printSessionHistory(beatwiseDataDirectory(options), history.days, history.csv,
                                std::chrono::system_clock::now(), std::cout);
        if (!printed)
            std::cerr << "beatwise: " << printed.message() << "\n";
        return printed ? 0 : 1;
    }
    if (!checkGraphicalSession("beatwise", DisplayEnvironment::current(), std::cerr))
        return 1;
    return runBeatwise(argc, argv, options);
}
