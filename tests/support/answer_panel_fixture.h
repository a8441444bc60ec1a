#pragma once

#include "midi/midi_out.h"
#include "platform/testing/manual_clock.h"
#include "platform/testing/midi_recording.h"
#include "render/staff_panel.h"
#include "tests/support/canvas_probe.h"

#include <tuple>
#include <vector>

// A staff panel on a window-sized canvas, and the program's MIDI output writing to a
// recording port, for the keyboard and fretboard tests.
struct AnswerPanelTest : RenderTest {
    using Message = std::tuple<int, int, int>; // status, data 1, data 2

    ManualClock clock;
    RecordingMidiOutputSystem system{{}, clock};
    MidiOut midiOut{system};
    MidiOut* sink = &midiOut; // what the panels sound through

    AnswerPanelTest() { EXPECT_TRUE(midiOut.reopen(-1)); }

    // Every message since the last call.
    std::vector<Message> sent()
    {
        std::vector<Message> out;
        for (const auto& m : system.recording()->messages())
            out.emplace_back(m.status(), m.data1(), m.data2());
        system.recording()->clear();
        return out;
    }

    // The answer staff in `mode`, with the panel drawn through the staff's hook.
    template <typename Panel> StaffLayout drawStaffWith(Panel& panel, AnswerMode mode)
    {
        return drawStaffPanel(
            dc, colours, art, {.answerMode = mode},
            [&](gdi::Canvas& c, const StaffLayout&, AnswerMode) { panel.draw(c); });
    }

    static Message noteOn(int key, int velocity = 100) { return {0x90, key, velocity}; }
    static Message programChange(int timbre) { return {0xC0, timbre, 0}; }
    // The release sends the note-off on channel 1 and channel 13, velocity 94.
    static std::vector<Message> noteOffs(int key) { return {{0x80, key, 94}, {0x8C, key, 94}}; }
};

// Concatenates message lists, for expectations in the order they are sent.
inline std::vector<AnswerPanelTest::Message>
operator+(std::vector<AnswerPanelTest::Message> a, const std::vector<AnswerPanelTest::Message>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}
