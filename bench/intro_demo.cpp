// Shows the intro in a window of the main window's size, started by the
// window's first paint as solfara starts it, with mouse presses routed to it.
// For looking at the intro on a real display (or under xvfb):
//   xvfb-run -a -s '-screen 0 1024x768x24' build/bench/intro_demo --grab /tmp/intro
// Options: --silent (a recording port instead of the built-in synthesizer),
// --grab DIR (save the window after frames 1, 30 and 99 and with the banner),
// --stay (keep the window open after the intro).
#include "midi/midi_out.h"
#include "music/uniform_random_source.h"
#include "platform/clock/clock.h"
#include "platform/gdi/back_buffered_widget.h"
#include "platform/midi/desktop_midi_output_system.h"
#include "platform/midi/library_chatter.h"
#include "platform/testing/midi_recording.h"
#include "solfara/intro_sequence.h"

#include <QApplication>
#include <QDir>
#include <QMouseEvent>
#include <QTimer>

#include <cstdio>
#include <memory>

namespace {

class IntroWindow final : public gdi::BackBufferedWidget {
public:
    IntroWindow(MidiOut& out, RandomSource& random, QString grabDir, bool stay)
        : BackBufferedWidget(nullptr, QSize(500, 494)), out_(out), random_(random),
          grabDir_(std::move(grabDir)), stay_(stay)
    {
        setFixedSize(500, 494);
        setWindowTitle("Intro");
    }

protected:
    void paintWindow(gdi::Canvas& canvas) override
    {
        if (intro_)
            return;
        intro_ = std::make_unique<IntroSequence>(canvas, out_, random_);
        intro_->RunIntro(
            fillColours(), [this] { frameShown(); }, [this] { introFinished(); });
    }

    void mousePressEvent(QMouseEvent* event) override
    {
        if (intro_ && intro_->isRunning())
            intro_->mousePressed(event->button());
    }

private:
    void frameShown()
    {
        ++shown_;
        std::printf("frame %d\n", shown_);
        if (grabDir_.isEmpty() || !(shown_ == 1 || shown_ == 30 || shown_ == 99 || shown_ == 101))
            return;
        // The grab paints from the back buffer, which already holds the frame.
        grab().save(
            QDir(grabDir_).filePath(QString("intro-%1.png").arg(shown_, 3, 10, QChar('0'))));
    }

    void introFinished()
    {
        std::printf("intro finished%s; the first drill starts here\n",
                    intro_->skipped() ? " (skipped)" : "");
        std::fflush(stdout);
        canvas().text(250, 240, "(the first drill)",
                      {.font = {.face = "Helv", .height = 20},
                       .colour = gdi::white,
                       .hAlign = gdi::HAlign::Centre});
        if (!stay_)
            QTimer::singleShot(1000, qApp, &QApplication::quit);
    }

    MidiOut& out_;
    RandomSource& random_;
    QString grabDir_;
    bool stay_;
    std::unique_ptr<IntroSequence> intro_;
    int shown_ = 0;
};

} // namespace

int main(int argc, char* argv[])
{
    setenv("JACK_NO_START_SERVER", "1", 0);
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    const bool silent = args.contains("--silent");
    const bool stay = args.contains("--stay");
    QString grabDir;
    if (int i = args.indexOf("--grab"); i >= 0 && i + 1 < args.size()) {
        grabDir = args[i + 1];
        QDir().mkpath(grabDir);
    }

    gdi::installFontSubstitutions();
    setMidiLibraryChatter(false);
    SteadyClock clock;
    std::unique_ptr<MidiOutputSystem> system;
    if (silent)
        system = std::make_unique<RecordingMidiOutputSystem>(std::vector<std::string>{}, clock);
    else
        system = std::make_unique<DesktopMidiOutputSystem>(MidiOutputOptions{});
    MidiOut out(*system);
    if (Status opened = out.reopen(-1); !opened)
        std::fprintf(stderr, "no MIDI output (%s): the intro is silent\n",
                     opened.message().c_str());
    UniformRandomSource random(clock.milliseconds());

    IntroWindow window(out, random, grabDir, stay);
    window.show();
    return app.exec();
}
