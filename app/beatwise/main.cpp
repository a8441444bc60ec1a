#include "platform/clock/clock.h"
#include "platform/gdi/font_faces.h"
#include "platform/midi/desktop_midi_output_system.h"
#include "platform/midi/library_chatter.h"
#include "platform/system/single_instance.h"
#include "platform/system/system_beeper.h"
#include "rhythm/beatwise_window.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QScreen>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("beatwise");
    QApplication::setApplicationVersion(PROJECT_VERSION);

    QCommandLineParser parser;
    parser.setApplicationDescription("Beatwise, the steady-pulse trainer.");
    parser.addHelpOption();
    parser.addVersionOption();
    QCommandLineOption soundFont("soundfont", "Sound with the General MIDI SoundFont FILE.",
                                 "FILE");
    QCommandLineOption verbose("verbose", "Let the sound libraries print their messages.");
    parser.addOption(soundFont);
    parser.addOption(verbose);
    parser.process(app);

    // One beatwise per desktop: a second start leaves quietly.
    SingleInstance instance("beatwise");
    if (!instance.acquire())
        return 0;

    setMidiLibraryChatter(parser.isSet(verbose));
    gdi::installFontSubstitutions();

    SteadyClock clock;
    SystemBeeper beeper;
    DesktopMidiOutputSystem midiOutputs(
        {parser.value(soundFont).toStdString(), parser.isSet(verbose)});
    BeatwiseWindow window(clock, midiOutputs, beeper);
    if (QScreen* screen = app.primaryScreen())
        window.move(BeatwiseWindow::centredPosition(screen->size()));
    window.show();
    return app.exec();
}
