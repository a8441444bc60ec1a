#pragma once

#include "midi/midi_out.h"
#include "platform/testing/manual_clock.h"
#include "platform/testing/midi_recording.h"
#include "settings/settings_sheet.h"
#include "platform/testing/temp_dir.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QPushButton>
#include <QSlider>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

// An open sheet's surroundings: a data directory with three timbres and
// melody files for both answer modes, two MIDI devices behind recording
// ports, the built-in scales, and a record of what the sheet asked for.
struct SheetFixture {
    TempDir dir;
    ManualClock clock;
    RecordingMidiOutputSystem midiSystem{{"Synth", "Port A"}, clock};
    MidiRecording& midiLog = *midiSystem.recording();
    MidiOut midiOut{midiSystem};
    ScaleList scales = builtInScales();
    std::vector<int> scaleBitsLoads;
    MicrophoneBlockSink microphone; // set while the sheet listens
    SettingsSheetContext context;

    SheetFixture()
    {
        dir.write("midpatch.h", "Piano\r\nOrgan\nFlute\n");
        dir.write("mel.ssc", "First,60,62\r\nSecond,64\r\nThird,65\r\n");
        dir.write("mel2.ssc", "Riff,52\r\n");
        context.scales = &scales;
        context.midiDeviceNames = {"Synth", "Port A", "Midi Mapper"};
        context.midiOut = &midiOut;
        context.dataDirectory = dir.path();
        context.refreshScaleBits = [this](int scale) { scaleBitsLoads.push_back(scale); };
        context.listenToMicrophone = [this](MicrophoneBlockSink sink) {
            microphone = std::move(sink);
        };
    }
};

// A choice made by the user in a list: the entry shows and the list reports it.
inline void choose(QComboBox* combo, int index)
{
    combo->setCurrentIndex(index);
    emit combo->activated(index);
}

// A key pressed and released on a widget that has the focus.
inline void pressKey(QWidget* widget, Qt::Key key)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
    QApplication::sendEvent(widget, &release);
}

template <typename Widget> Widget* control(const QWidget& sheet, const char* name)
{
    auto* widget = sheet.findChild<Widget*>(name);
    if (!widget)
        throw std::runtime_error(std::string("no control ") + name);
    return widget;
}

// Once the modal sheet shows, notes the page it opened on, lets `user` act on
// it and closes it with `button`. Call just before what runs the sheet.
inline void whenSheetShows(SheetTab& openedOn, std::function<void(SettingsSheet&)> user,
                           QDialogButtonBox::StandardButton button)
{
    QTimer::singleShot(0, [&openedOn, user = std::move(user), button] {
        auto* sheet = dynamic_cast<SettingsSheet*>(QApplication::activeModalWidget());
        ASSERT_NE(sheet, nullptr);
        openedOn = sheet->currentTab();
        user(*sheet);
        sheet->findChild<QDialogButtonBox*>()->button(button)->click();
    });
}
