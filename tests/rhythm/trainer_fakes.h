#pragma once

#include "platform/midi/midi_output_port.h"
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

// A MIDI system whose mapper opens a port that logs every message; opening
// can be made to fail.
class LoggingMidiSystem : public MidiOutputSystem {
public:
    struct Log {
        std::mutex mutex;
        std::vector<std::uint32_t> messages;
        int opens = 0;
    };
    std::shared_ptr<Log> log = std::make_shared<Log>();
    bool available = true;

    std::vector<std::string> deviceNames() override { return {}; }
    OpenResult open(int) override
    {
        if (!available)
            return {nullptr, "none"};
        std::lock_guard lock(log->mutex);
        ++log->opens;
        return {std::make_unique<Port>(log), ""};
    }
    std::vector<std::uint32_t> messages()
    {
        std::lock_guard lock(log->mutex);
        return log->messages;
    }
    void clear()
    {
        std::lock_guard lock(log->mutex);
        log->messages.clear();
    }

private:
    struct Port : MidiOutputPort {
        std::shared_ptr<Log> log;
        explicit Port(std::shared_ptr<Log> l) : log(std::move(l)) {}
        void sendShortMessage(std::uint32_t m) override
        {
            std::lock_guard lock(log->mutex);
            log->messages.push_back(m);
        }
        void reset() override {}
        void close() override {}
        std::string name() const override { return "log"; }
    };
};

constexpr std::uint32_t shortMessage(std::uint8_t status, std::uint8_t d1, std::uint8_t d2)
{
    return status | (std::uint32_t(d1) << 8) | (std::uint32_t(d2) << 16);
}
