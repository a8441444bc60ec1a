#pragma once

#include "drill/drill_record.h"
#include "drill/settings_file.h"
#include "platform/gdi/window_scale.h"
#include "platform/testing/manual_clock.h"
#include "platform/testing/scripted_wave_input.h"
#include "solfara/main_frame.h"
#include "tests/support/engine_fixture.h"
#include "tests/support/event_loop.h"
#include "tests/support/menu_action.h"
#include "platform/testing/sound_samples.h"
#include "voice/selected_note_detector.h"

#include <QApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

// Always the highest draw: Random(14) gives 13, so a random key is code 14.
class HighestDrawRandom final : public RandomSource {
public:
    int Random(int n) override { return n > 0 ? n - 1 : 0; }
};

// Keeps every ended drill the window records.
class RecordingDrillLog final : public DrillLog {
public:
    void drillEnded(const DrillRecord& record) override { drills.push_back(record); }
    std::vector<DrillRecord> drills;
};

// The main window over a temporary data directory, a recording MIDI port and a
// scripted microphone; the drill is the custom melody "Tune" C4 D4 E4 (note
// indices 24, 26, 28) unless a test writes another.
class MainWindowRig {
public:
    static constexpr int tune[3] = {24, 26, 28};

    MainWindowRig() : rig({"Test Synth"}, 1) { rig.dir.write("mel.ssc", "Tune,60,62,64\r\n"); }
    ~MainWindowRig()
    {
        if (frame)
            frame->close();
    }

    // Settings for a fixed custom drill, listening with the microphone.
    static Settings tuneSettings()
    {
        Settings s;
        s.drilltype = 3;
        s.custMelody = 0;
        s.noteName = 2;
        return s;
    }

    // Shows the window and waits until the first melody has been drawn and
    // played and capture runs.
    bool start(const Settings& settings = tuneSettings())
    {
        open(settings);
        return settle();
    }

    // Shows the window.
    void open(const Settings& settings = tuneSettings())
    {
        rig.dir.write(kSettingsFileName, settingsFileText(settings));
        engine = rig.loadEngine();
        engine->practice = practice;
        frame = std::make_unique<CMainFrame>(
            *engine, MainFrameServices{.midiOut = rig.midiOut,
                                       .waveInput = device,
                                       .detector = detector,
                                       .random = random,
                                       .messages = rig.messages,
                                       .openSettingsSheet = openSettingsSheet,
                                       .intro = intro,
                                       .rememberedScale = &windowSize,
                                       .drillLog = &drillLog,
                                       .clock = &clock});
        frame->show();
    }

    // Waits for a melody being drawn or the banner to be over.
    bool settle()
    {
        return runEventsUntil([&] { return frame->started() && !cycle().busy(); });
    }

    DrillCycle& cycle() { return frame->drill(); }
    const Drill& drill() { return cycle().drill(); }
    gdi::Canvas& dc() { return frame->canvas(); }

    // One capture block of note index `note` (or silence for -1), of the
    // length that was queued, handed to the window.
    void hear(int note)
    {
        const int length = queuedLength();
        hear(note < 0 ? silenceBlock(length) : sineBlock(noteFrequency(note), length));
    }
    void hear(const std::vector<std::uint8_t>& block)
    {
        device.feed(block);
        device.deliverPending();
    }
    int queuedLength() const { return static_cast<int>(device.queuedLengths.back()); }

    void click(int x, int y)
    {
        mouse(QEvent::MouseButtonPress, x, y);
        mouse(QEvent::MouseButtonRelease, x, y);
    }
    void mouse(QEvent::Type type, int x, int y, Qt::MouseButton button = Qt::LeftButton)
    {
        const Qt::MouseButtons held = type == QEvent::MouseButtonPress ? button : Qt::NoButton;
        QMouseEvent event(type, QPointF(x, y), QPointF(x, y), frame->mapToGlobal(QPointF(x, y)),
                          type == QEvent::MouseMove ? Qt::NoButton : button, held, Qt::NoModifier);
        QCoreApplication::sendEvent(frame.get(), &event);
    }

    void rightClick(int x, int y)
    {
        mouse(QEvent::MouseButtonPress, x, y, Qt::RightButton);
        mouse(QEvent::MouseButtonRelease, x, y, Qt::RightButton);
    }
    // Once the menu shows, chooses `entry` (nothing when empty); `then` runs
    // after the choice, for a dialog the command opens.
    static void whenMenuShows(const QString& entry, std::function<void()> then = {})
    {
        QTimer::singleShot(0, [entry, then] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            ASSERT_TRUE(menu);
            if (!entry.isEmpty()) {
                QAction* action = findAction(*menu, entry);
                ASSERT_TRUE(action) << entry.toStdString();
                action->trigger();
            }
            menu->close();
            if (then)
                QTimer::singleShot(0, then);
        });
    }
    // Opens the menu over the staff and chooses `entry`.
    void chooseFromMenu(const QString& entry, std::function<void()> then = {})
    {
        whenMenuShows(entry, std::move(then));
        rightClick(250, 200);
    }

    // The first data byte (the key, or the program) of each message with `status` the
    // window has sent.
    std::vector<int> sent(int status) const
    {
        std::vector<int> keys;
        for (const auto& m : rig.midiSystem.recording()->messages())
            if (m.status() == status)
                keys.push_back(m.data1());
        return keys;
    }
    std::vector<int> noteOns() const { return sent(0x90); }

    EngineRig rig;
    ScriptedWaveInput device;
    SelectedNoteDetector detector{DetectorKind::Classic};
    SettingsSheetOpener openSettingsSheet; // none unless a test gives one
    std::optional<IntroTiming> intro;      // none unless a test gives one
    HighestDrawRandom random;
    gdi::RememberedScale windowSize{rig.dir.file("window.conf")}; // "Window Size" keeps it here
    RecordingDrillLog drillLog;                                   // the drills ended so far
    ManualClock clock;                                            // times the drill's notes
    PracticeChoices practice; // the tolerance and sight mode the window opens with
    std::unique_ptr<DrillEngine> engine;
    std::unique_ptr<CMainFrame> frame;
};
