#pragma once

#include "platform/midi/short_message.h"
#include "platform/system/beeper.h"
#include "platform/testing/midi_recording.h"
#include "rhythm/trainer_view.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

// Records the drawing calls of the trainer as short words.
class RecordingView : public TrainerView {
public:
    std::vector<std::string> calls;
    bool pagingTimer = false;
    int thumbX = 142;

    void blankDial() override { log("blank"); }
    void drawNeedle(int x) override { log("needle " + std::to_string(x)); }
    void eraseNeedle(int x) override { log("erase " + std::to_string(x)); }
    void drawLamp(int i, bool lit) override { log((lit ? "lit " : "dim ") + std::to_string(i)); }
    void drawStatusLines(const std::string& s, const std::string&) override { log(s); }
    void repaintAll() override { log("repaint"); }
    void showResults(const std::string& text) override { log(text); }
    void moveThumb(int oldX, int newX) override
    {
        EXPECT_EQ(oldX, thumbX); // the thumb is erased where it was drawn
        thumbX = newX;
    }
    void drawMetronomeButton(bool down) override { log(down ? "button down" : "button up"); }
    void drawMetronomeCaption(bool on) override { log(on ? "caption white" : "caption black"); }
    void drawHelpButton(bool down) override { log(down ? "help down" : "help up"); }
    void openHelp() override { log("help"); }
    void setPagingTimer(bool running) override { pagingTimer = running; }

private:
    void log(std::string call) { calls.push_back(std::move(call)); }
};

class RecordingBeeper : public Beeper {
public:
    std::vector<double> tones;
    int alerts = 0;
    void tone(double hz, int ms) override
    {
        EXPECT_EQ(ms, 50);
        tones.push_back(hz);
    }
    void alert() override { ++alerts; }
};

// The messages a recording has received, without their times.
inline std::vector<std::uint32_t> sentMessages(const MidiRecording& recording)
{
    std::vector<std::uint32_t> messages;
    for (const auto& m : recording.messages())
        messages.push_back(m.message);
    return messages;
}

constexpr std::uint32_t shortMessage(std::uint8_t status, std::uint8_t d1, std::uint8_t d2)
{
    return ShortMessage{status, d1, d2}.pack();
}

constexpr std::uint32_t metronomeTick = shortMessage(0x99, 68, 120);
constexpr std::uint32_t metronomeTickOff = shortMessage(0x89, 68, 120);
