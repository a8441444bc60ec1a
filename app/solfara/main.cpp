#include "drill/drill_history.h"
#include "drill/own_settings_file.h"
#include "notation/melody_file_commands.h"
#include "platform/audio/microphone_sources.h"
#include "platform/audio/wav_source.h"
#include "platform/gdi/window_scale.h"
#include "platform/midi/library_chatter.h"
#include "platform/midi/soundfont_locator.h"
#include "platform/system/command_line.h"
#include "platform/system/data_directory.h"
#include "platform/system/graphical_session.h"
#include "settings/trainer_sheet_opener.h"
#include "solfara/solfara_app.h"
#include "solfara/version.h"
#include "voice/detect_command.h"

#include <chrono>
#include <iostream>
#include <optional>

// solfara's command line. Each option is one add() below and, when it carries
// a setting, one field of SolfaraOptions.
int main(int argc, char* argv[])
{
    SolfaraOptions options;
    bool showHelp = false;
    bool showVersion = false;
    std::optional<std::string> detectFile;
    std::string scaleError;
    std::optional<std::string> detectorWord;
    std::optional<std::string> importFile, partText;
    std::optional<std::vector<std::string>> exportWords;
    bool guitar = false;
    HistoryOptions history;
    bool historyNotes = false;
    bool listMicrophones = false;

    CommandLine commandLine("solfara");
    commandLine
        .add("--data-dir", "DIR",
             "keep the data files in DIR (default: $XDG_DATA_HOME/solfara, normally "
             "~/.local/share/solfara; '.' is the working directory)",
             [&](const std::string& dir) { options.dataDirectory = dir; })
        .add("--audio-input", "FILE",
             "listen to the recording FILE (WAV) in real time instead of the microphone",
             [&](const std::string& file) { options.audioInput = file; })
        .add("--list-microphones",
             "print the microphones one can choose, one 'name<TAB>description' line each, and "
             "exit",
             [&] { listMicrophones = true; })
        .add("--microphone", "NAME",
             "listen to the microphone NAME (as --list-microphones prints it) in this run",
             [&](const std::string& name) { options.microphone = name; })
        .add("--detect", "FILE",
             "print what the pitch detector hears in the recording FILE, block by block, and exit",
             [&](const std::string& file) { detectFile = file; })
        .add("--detector", "KIND",
             "hear the singer with the 'classic' (strongest partial) or the 'precise' (period "
             "search) pitch detector; the trainer remembers the choice",
             [&](const std::string& word) { detectorWord = word; })
        .add("--import-melody", "FILE",
             "add the melody of the MusicXML (.musicxml, .xml, .mxl) or MIDI (.mid) file FILE to "
             "the custom melodies, cut into drills of up to 13 notes, and exit",
             [&](const std::string& file) { importFile = file; })
        .add("--part", "N", "with --import-melody: take part N (1 is the first) of the file",
             [&](const std::string& n) { partText = n; })
        .addWithValues("--export-melody", {"N", "FILE"},
                       "write custom melody N (its line, from 0) to FILE, as MusicXML or MIDI by "
                       "FILE's extension, and exit",
                       [&](const std::vector<std::string>& words) { exportWords = words; })
        .add("--guitar", "with --import-melody or --export-melody: the guitar's melodies",
             [&] { guitar = true; });
    addHistoryOptions(commandLine, history, "every drill");
    commandLine
        .add("--notes", "with --history --csv: print every note instead",
             [&] { historyNotes = true; })
        .add("--soundfont", "FILE",
             "play through the General MIDI SoundFont FILE (" +
                 std::string(kSoundFontDefaultsHelp) + ")",
             [&](const std::string& file) { options.midi.soundFont = file; })
        .add("--scale", "N", gdi::kScaleOptionHelp,
             gdi::scaleOptionHandler(options.scale, scaleError))
        .add("--verbose", "let the sound libraries print their messages",
             [&] { options.midi.verbose = true; })
        .add("--help", "list the options and exit", [&] { showHelp = true; })
        .add("--version", "print the version and exit", [&] { showVersion = true; });

    std::string error =
        commonCommandLineError(commandLine.parse(argc, argv), scaleError, options.dataDirectory);
    if (error.empty()) {
        if (Status readable = options.audioInput ? canReadRecording(options.audioInput->string())
                                                 : Status::success();
            !readable)
            error = "option '--audio-input': " + readable.message();
        else if (detectorWord && !(options.detector = detectorKindOfKeyword(*detectorWord)))
            error = "option '--detector' needs 'classic' or 'precise', not '" + *detectorWord + "'";
    }
    if (error.empty() && options.microphone && options.audioInput)
        error = "--microphone and --audio-input cannot be given together";
    if (error.empty())
        error = historyOptionsError(history);
    if (error.empty() && historyNotes && !history.csv)
        error = "option '--notes' goes with --history --csv";
    std::optional<int> part = 1, exportLine;
    if (error.empty() && partText && !(part = wholeNumberArgument(*partText, 1)))
        error = "option '--part' needs a part number from 1, not '" + *partText + "'";
    else if (error.empty() && exportWords &&
             !(exportLine = wholeNumberArgument(exportWords->front(), 0)))
        error = "option '--export-melody' needs a line number from 0, not '" +
                exportWords->front() + "'";
    else if (error.empty() && importFile && exportWords)
        error = "--import-melody and --export-melody cannot be given together";
    else if (error.empty() && (partText && !importFile))
        error = "option '--part' goes with --import-melody";
    else if (error.empty() && guitar && !importFile && !exportWords)
        error = "option '--guitar' goes with --import-melody or --export-melody";
    if (!error.empty()) {
        std::cerr << "solfara: " << error << "\nTry 'solfara --help' for the options.\n";
        return 2;
    }
    if (showHelp) {
        std::cout << commandLine.helpText("A sight-singing trainer.");
        return 0;
    }
    if (showVersion) {
        std::cout << "solfara " << kSolfaraVersion << "\n";
        return 0;
    }
    if (importFile || exportWords) {
        const std::filesystem::path dataDir =
            options.dataDirectory.value_or(defaultDataDirectory("solfara"));
        if (Status prepared = prepareDataDirectory(dataDir); !prepared) {
            std::cerr << "solfara: " << prepared.message() << "\n";
            return 2;
        }
        if (importFile)
            return importMelodyCommand(dataDir, *importFile, static_cast<std::size_t>(*part - 1),
                                       guitar, std::cout, std::cerr);
        return exportMelodyCommand(dataDir, *exportLine, exportWords->back(), guitar, std::cerr);
    }
    if (listMicrophones) {
        // ALSA's own complaints about absent cards are not the user's business.
        setMidiLibraryChatter(options.midi.verbose);
        const auto sources = listMicrophoneSources();
        for (const MicrophoneSource& source : sources)
            std::cout << source.name << '\t' << source.description << '\n';
        if (sources.empty())
            std::cerr << "solfara: no microphone was found\n";
        return 0;
    }
    if (history.print) {
        const Status printed = printDrillHistory(
            options.dataDirectory.value_or(defaultDataDirectory("solfara")), history.days,
            history.csv, historyNotes, std::chrono::system_clock::now(), std::cout);
        if (!printed)
            std::cerr << "solfara: " << printed.message() << "\n";
        return printed ? 0 : 1;
    }
    if (detectFile) {
        // Without --detector, the detector the trainer last used.
        const DetectorKind kind = options.detector.value_or(
            readOwnSettings(options.dataDirectory.value_or(defaultDataDirectory("solfara")))
                .detector);
        return printRecordingDetection(*detectFile, std::cout, std::cerr, kind);
    }
    if (!checkGraphicalSession("solfara", DisplayEnvironment::current(), std::cerr))
        return 1;
    return runSolfara(argv[0], options, {.makeSettingsSheetOpener = trainerSheetOpener});
}
