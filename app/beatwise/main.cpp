#include "base/version.h"
#include "beatwise/beatwise_app.h"
#include "platform/system/command_line.h"

#include <iostream>

// beatwise's command line: each option is one add() below.
int main(int argc, char* argv[])
{
    BeatwiseOptions options;
    bool showHelp = false;
    bool showVersion = false;

    CommandLine commandLine("beatwise");
    commandLine
        .add("--soundfont", "FILE", "sound with the General MIDI SoundFont FILE",
             [&](const std::string& file) { options.soundFont = file; })
        .add("--verbose", "let the sound libraries print their messages",
             [&] { options.verbose = true; })
        .add("--help", "list the options and exit", [&] { showHelp = true; })
        .add("--version", "print the version and exit", [&] { showVersion = true; });

    if (Status parsed = commandLine.parse(argc, argv); !parsed) {
        std::cerr << "beatwise: " << parsed.message()
                  << "\nTry 'beatwise --help' for the options.\n";
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
    return runBeatwise(argc, argv, options);
}
