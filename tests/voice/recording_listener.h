#pragma once

#include "voice/pitch_detector.h"
#include "voice/sung_note_judge.h"
#include "voice/voice_input.h"

#include <optional>
#include <string>
#include <vector>

// A drill that keeps everything the voice input tells it, judging blocks
// against A4 (note 33) with `cycles` 1.
class RecordingListener : public VoiceListener {
public:
    static constexpr int dueNote = 33;

    struct Verdict {
        DetectionResult detection;
        bool accepted = false;
    };

    BlockContext blockContext() override { return {{}, &table, skipTo}; }
    void blockArrived(std::span<const std::uint8_t> samples) override
    {
        arrivedLengths.push_back(samples.size());
    }
    void blockDetected(const DetectionResult& detection) override
    {
        if (detection.skipped)
            skipTo.reset();
        verdicts.push_back({detection, judge.judgeBlock(detection, dueNote, 1)});
    }
    void showMessage(const std::string& text, const std::string& caption) override
    {
        messages.push_back(caption + ": " + text);
    }

    PeriodTable table = buildPeriodTable(440);
    SungNoteJudge judge;
    std::optional<int> skipTo; // set by a test as the space bar would
    std::vector<std::size_t> arrivedLengths;
    std::vector<Verdict> verdicts;
    std::vector<std::string> messages;
};
