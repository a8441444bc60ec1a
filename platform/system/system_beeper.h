#pragma once

#include "platform/system/beeper.h"

#include <memory>

// Beeps through the default audio output: a sine tone for `tone`, played on a
// stream opened at the first tone and kept open so later beeps start at once.
// Where no audio output opens, tones fall back to the desktop's bell. `alert`
// is always the desktop's bell.
class SystemBeeper final : public Beeper {
public:
    SystemBeeper();
    ~SystemBeeper() override;

    void tone(double frequencyHz, int milliseconds) override;
    void alert() override;

private:
    struct Output;
    std::unique_ptr<Output> output_;
    bool triedOutput_ = false;
};
