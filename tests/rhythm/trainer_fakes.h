#pragma once

#include "platform/midi/midi_recording.h"
#include "platform/system/beeper.h"
#include "rhythm/trainer_view.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

// Records the drawing calls of the trainer as short words.
class RecordingView : public TrainerView {
public:
    std::vector<std::string> calls;
    std::string results;
    std::string steadiness, runs;
    bool pagingTimer = false;
    int thumbX = 142;

    void blankDial() override { calls.push_back("blank"); }
    void drawNeedle(int x) override { calls.push_back("needle " + std::to_string(x)); }
    void eraseNeedle(int x) override { calls.push_back("erase " + std::to_string(x)); }
    void drawLamp(int lamp, bool lit) override
    {
        calls.push_back((lit ? "lit " : "dim ") + std::to_string(lamp));
    }
    void drawStatusLines(const std::string& a, const std::string& b) override
    {
        steadiness = a;
        runs = b;
        calls.push_back("status");
    }
    void repaintAll() override { calls.push_back("repaint"); }
    void showResults(const std::string& text) override
    {
        results = text;
        calls.push_back("results");
    }
    void moveThumb(int oldX, int newX) override
    {
        EXPECT_EQ(oldX, thumbX);
        thumbX = newX;
        calls.push_back("thumb " + std::to_string(newX));
    }
    void drawMetronomeButton(bool pressed) override
    {
        calls.push_back(pressed ? "button down" : "button up");
    }
    void drawMetronomeCaption(bool running) override
    {
        calls.push_back(running ? "caption white" : "caption black");
    }
    void drawHelpButton(bool pressed) override
    {
        calls.push_back(pressed ? "help down" : "help up");
    }
    void openHelp() override { calls.push_back("help"); }
    void setPagingTimer(bool running) override { pagingTimer = running; }
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
    return status | (std::uint32_t(d1) << 8) | (std::uint32_t(d2) << 16);
}
