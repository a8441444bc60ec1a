#include "beatwise/beatwise_app.h"

#include "beatwise/beatwise_window.h"
#include "platform/clock/clock.h"
#include "platform/gdi/font_faces.h"
#include "platform/gdi/program_icon.h"
#include "platform/midi/desktop_midi_output_system.h"
#include "platform/midi/library_chatter.h"
#include "platform/system/data_directory.h"
#include "platform/system/message_boxes.h"
#include "platform/system/single_instance.h"
#include "platform/system/system_beeper.h"
#include "platform/system/termination_signals.h"
#include "rhythm/session_history.h"
#include "rhythm/status_texts.h"

#include <QApplication>
#include <QScreen>

#include <iostream>

namespace {

// Every ended session becomes a row of the practice history; a history that
// cannot be written is said once on the terminal and practice goes on.
class HistorySessionLog final : public SessionLog {
public:
    explicit HistorySessionLog(const std::filesystem::path& dataDirectory) : history_(dataDirectory)
    {
    }
    void sessionEnded(const SessionRecord& record) override
    {
        notice_(history_.append(record, std::chrono::system_clock::now()));
    }

private:
    SessionHistory history_;
    HistoryFailureNotice notice_{"beatwise", std::cerr};
};

} // namespace

std::filesystem::path beatwiseDataDirectory(const BeatwiseOptions& options)
{
    return options.dataDirectory ? *options.dataDirectory : defaultDataDirectory("beatwise");
}

int runBeatwise(int argc, char* argv[], const BeatwiseOptions& options)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("beatwise");

    SingleInstance instance("beatwise");
    if (!instance.acquire())
        return 0;

    setMidiLibraryChatter(options.verbose);
    gdi::installFontSubstitutions();
    gdi::presentAsDesktopProgram("beatwise", "org.solfara.Beatwise");

    SteadyClock clock;
    SystemBeeper beeper;
    MessageBoxes messages;
    DesktopMidiOutputSystem midiOutputs(
        {.soundFont = options.soundFont,
         .verbose = options.verbose,
         .soundFontFailed = errorShownOnGuiThread(messages, beatwiseCaption)});
    HistorySessionLog sessions(beatwiseDataDirectory(options));
    BeatwiseWindow window(clock, midiOutputs, beeper);
    window.recordSessionsIn(&sessions);
    window.showProgressOf(beatwiseDataDirectory(options));
    const gdi::RememberedScale rememberedScale = gdi::RememberedScale::forProgram("beatwise");
    gdi::applyWindowScale(window, options.scale, rememberedScale);
    window.rememberWindowSizeIn(&rememberedScale);
    window.placeOnScreen();

    // Ctrl+C or a logout closes the window as its close box would.
    TerminationSignals termination;
    QObject::connect(&termination, &TerminationSignals::terminationRequested, &window,
                     [&window] { window.close(); });

    window.show();
    return app.exec();
}
