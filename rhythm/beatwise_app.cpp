#include "rhythm/beatwise_app.h"

#include "platform/clock/clock.h"
#include "platform/gdi/font_faces.h"
#include "platform/gdi/program_icon.h"
#include "platform/midi/desktop_midi_output_system.h"
#include "platform/midi/library_chatter.h"
#include "platform/system/single_instance.h"
#include "platform/system/system_beeper.h"
#include "platform/system/termination_signals.h"
#include "rhythm/beatwise_window.h"

#include <QApplication>
#include <QScreen>

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
    DesktopMidiOutputSystem midiOutputs({options.soundFont, options.verbose});
    BeatwiseWindow window(clock, midiOutputs, beeper);
    gdi::applyWindowScale(window, options.scale, gdi::RememberedScale::forProgram("beatwise"));
    // The placement rule is for the unscaled window: apply it on a screen shrunk by the scale.
    const double scale = window.widgetPerBufferPixel();
    if (QScreen* screen = app.primaryScreen())
        window.move(BeatwiseWindow::centredPosition((QSizeF(screen->size()) / scale).toSize()) *
                    scale);

    // Ctrl+C or a logout closes the window as its close box would.
    TerminationSignals termination;
    QObject::connect(&termination, &TerminationSignals::terminationRequested, &window,
                     [&window] { window.close(); });

    window.show();
    return app.exec();
}
