#include "solfara/solfara_app.h"

#include "drill/drill_engine.h"
#include "drill/drill_history.h"
#include "drill/own_settings_file.h"
#include "midi/midi_out.h"
#include "music/uniform_random_source.h"
#include "platform/audio/microphone.h"
#include "platform/clock/clock.h"
#include "platform/gdi/font_faces.h"
#include "platform/gdi/program_icon.h"
#include "platform/midi/desktop_midi_output_system.h"
#include "platform/system/data_directory.h"
#include "platform/system/message_boxes.h"
#include "platform/system/termination_signals.h"
#include "solfara/main_frame.h"
#include "voice/selected_note_detector.h"

#include <QApplication>

#include <iostream>

namespace {

std::filesystem::path chooseDataDirectory(const SolfaraOptions& options)
{
    std::filesystem::path directory =
        options.dataDirectory ? *options.dataDirectory : defaultDataDirectory("solfara");
    std::error_code error;
    std::filesystem::path absolute = std::filesystem::absolute(directory, error);
    return error ? directory : absolute.lexically_normal();
}

// Every ended drill becomes rows of the practice history, with the detector
// that heard it; a history that cannot be written is said once on the
// terminal and practice goes on.
class HistoryDrillLog final : public DrillLog {
public:
    HistoryDrillLog(const std::filesystem::path& dataDirectory,
                    const SelectedNoteDetector& detector)
        : history_(dataDirectory), detector_(detector)
    {
    }
    void drillEnded(const DrillRecord& record) override
    {
        DrillRecord written = record;
        if (written.answerMode == answerModeName(AnswerMode::Microphone))
            written.detector = std::string(detectorKeyword(detector_.kind()));
        notice_(history_.append(written, std::chrono::system_clock::now()));
    }

private:
    DrillHistory history_;
    const SelectedNoteDetector& detector_;
    HistoryFailureNotice notice_{"solfara", std::cerr};
};

// What the user is told when the microphone changes by itself.
std::string sourceChangeNotice(const SourceChange& change)
{
    if (change.kind == SourceChange::Kind::ChosenBack)
        return "The microphone \"" + change.name + "\" is back and listens again.";
    return "The microphone \"" + change.name +
           "\" is not connected: the desktop's default microphone listens until it is back.";
}

// At the first start that answers by microphone: a check of the microphone,
// offered once without holding the window up.
void offerMicrophoneCheck(CMainFrame& frame, const std::filesystem::path& dataDirectory)
{
    if (Status saved = updateOwnSettings(
            dataDirectory, [](OwnSettings& own) { own.microphoneCheckOffered = true; });
        !saved)
        std::cerr << "solfara: " << saved.message() << "\n";
    MessageBoxes(&frame).offer(kSolfaraCaption,
                               "Check the microphone now? It takes ten seconds: keep quiet for a "
                               "moment, then sing a long note.",
                               [&frame] { frame.openMicrophoneCheck(); });
}

} // namespace

int runSolfara(const char* programPath, const SolfaraOptions& options, const SolfaraParts& parts)
{
    const std::filesystem::path dataDirectory = chooseDataDirectory(options);
    if (Status prepared = prepareDataDirectory(dataDirectory); !prepared) {
        std::cerr << "solfara: " << prepared.message() << "\n";
        return 1;
    }
    if (options.detector) {
        // The drill builds its detector from the saved choice.
        if (Status saved = updateOwnSettings(
                dataDirectory, [&](OwnSettings& own) { own.detector = *options.detector; });
            !saved)
            std::cerr << "solfara: " << saved.message() << "\n";
    }

    // Qt sees no command-line arguments: the program's own options are parsed
    // before, and Qt's settings come from the environment.
    int qtArgc = 1;
    char* qtArgv[] = {const_cast<char*>(programPath), nullptr};
    QApplication app(qtArgc, qtArgv);
    gdi::installFontSubstitutions();
    gdi::presentAsDesktopProgram("solfara", "org.solfara.Solfara");

    TerminationSignals terminationSignals;
    CMainFrame* frame = nullptr;
    bool terminationPending = false;
    QObject::connect(&terminationSignals, &TerminationSignals::terminationRequested, [&](int) {
        if (frame) {
            frame->endForTermination();
        } else {
            terminationPending = true;
            // A start-up message box (say, no sound output) must not keep the
            // program from ending.
            if (QWidget* box = QApplication::activeModalWidget())
                box->close();
        }
    });

    seedDataFile(dataDirectory, "midpatch.h", ":/midpatch.h");

    MessageBoxes messages;
    MidiOutputOptions midiOptions = options.midi;
    midiOptions.soundFontFailed = errorShownOnGuiThread(messages, kSolfaraCaption);
    DesktopMidiOutputSystem midiSystem(midiOptions);
    MidiOut midiOut(midiSystem);
    const OwnSettings own = readOwnSettings(dataDirectory);
    Result<Microphone> microphone =
        options.audioInput ? recordingAsMicrophone(options.audioInput->string())
                           : systemMicrophone(options.microphone.value_or(own.microphone));
    if (!microphone) {
        std::cerr << "solfara: " << microphone.message() << "\n";
        return 2;
    }
    WaveInputDevices& waveInputs = *microphone->devices;
    DrillEngine engine(dataDirectory, {midiOut, waveInputs, messages});
    engine.load();
    engine.practice = own.practice;

    int exitCode = 0;
    if (!terminationPending) {
        SteadyClock clock;
        UniformRandomSource random(clock.milliseconds());
        // The choice of the command line was saved above.
        SelectedNoteDetector detector(own.detector);
        HistoryDrillLog drillLog(dataDirectory, detector);
        const gdi::RememberedScale rememberedScale = gdi::RememberedScale::forProgram("solfara");
        CMainFrame mainFrame(
            engine, {.midiOut = midiOut,
                     .waveInput = *microphone->input,
                     .detector = detector,
                     .random = random,
                     .messages = messages,
                     .openSettingsSheet = parts.makeSettingsSheetOpener
                                              ? parts.makeSettingsSheetOpener(
                                                    engine, midiOut, detector,
                                                    {microphone->input.get(), microphone->choice})
                                              : SettingsSheetOpener{},
                     .intro = IntroTiming{},
                     .rememberedScale = &rememberedScale,
                     .drillLog = &drillLog,
                     .clock = &clock,
                     .started = [&] {
                         if (frame && microphone->choice && !own.microphoneCheckOffered &&
                             engine.microphoneFound() &&
                             answerModeOf(engine.settings.noteName) == AnswerMode::Microphone)
                             offerMicrophoneCheck(*frame, dataDirectory);
                     }});
        gdi::applyWindowScale(mainFrame, options.scale, rememberedScale);
        frame = &mainFrame;
        mainFrame.placeOnScreen();
        mainFrame.show();
        if (MicrophoneChoice* choice = microphone->choice)
            choice->setChangeHandler([&messages](const SourceChange& change) {
                messages.inform(kSolfaraCaption, sourceChangeNotice(change));
            });
        exitCode = app.exec();
        frame = nullptr;
    }
    engine.saveAndRelease(); // does nothing if closing the window already saved
    return exitCode;
}
