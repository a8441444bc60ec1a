#pragma once

#include "voice/voice_input.h"

#include <string>
#include <vector>

// A drill that keeps everything the voice input tells it, judging blocks
// against A4 (note 33) with `cycles` 1.
class RecordingListener : public VoiceListener {
public:
    BlockContext blockContext() override { return {{}, &table, 33, 1}; }
    void blockArrived(std::span<const std::uint8_t> samples) override
    {
        arrivedLengths.push_back(samples.size());
    }
    void blockJudged(const BlockVerdict& verdict) override { verdicts.push_back(verdict); }
    void showMessage(const std::string& text, const std::string& caption) override
    {
        messages.push_back(caption + ": " + text);
    }

    PeriodTable table = buildPeriodTable(440);
    std::vector<std::size_t> arrivedLengths;
    std::vector<BlockVerdict> verdicts;
    std::vector<std::string> messages;
};
