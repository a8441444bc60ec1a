#include "platform/midi/internal/lasting_output.h"

#include <atomic>

namespace {

// One opening of a lasting output. Thread-safe as the output itself is: the
// metronome thread may send while the GUI thread closes.
class LastingOutputHandle final : public MidiOutputPort {
public:
    explicit LastingOutputHandle(std::shared_ptr<MidiOutputPort> output)
        : output_(std::move(output))
    {
    }
    ~LastingOutputHandle() override { close(); }

    void sendShortMessage(std::uint32_t message) override
    {
        if (!closed_)
            output_->sendShortMessage(message);
    }
    void reset() override
    {
        if (!closed_)
            output_->reset();
    }
    // Silences what this opening left sounding; the output stays up.
    void close() override
    {
        if (!closed_.exchange(true))
            output_->reset();
    }
    std::string name() const override { return output_->name(); }
    ScheduledOutput* scheduledOutput() override
    {
        return closed_ ? nullptr : output_->scheduledOutput();
    }
    void preloadPrograms(const std::vector<int>& programs) override
    {
        if (!closed_)
            output_->preloadPrograms(programs);
    }

private:
    std::shared_ptr<MidiOutputPort> output_;
    std::atomic<bool> closed_{false};
};

} // namespace

MidiOutputSystem::OpenResult LastingOutput::open()
{
    std::lock_guard lock(mutex_);
    if (!output_) {
        auto started = start_();
        if (!started)
            return started;
        output_ = std::move(started).value();
    }
    return std::unique_ptr<MidiOutputPort>(std::make_unique<LastingOutputHandle>(output_));
}

bool LastingOutput::started() const
{
    std::lock_guard lock(mutex_);
    return output_ != nullptr;
}
