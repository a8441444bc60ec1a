#include "platform/testing/midi_recording.h"

#include <algorithm>

void MidiRecording::addMessage(std::uint32_t message, std::uint32_t timeMs)
{
    auto arrival = std::chrono::steady_clock::now();
    std::lock_guard lock(mutex_);
    messages_.push_back({message, timeMs, arrival});
}

void MidiRecording::addReset()
{
    std::lock_guard lock(mutex_);
    ++resets_;
}

void MidiRecording::addClose()
{
    std::lock_guard lock(mutex_);
    ++closes_;
}

std::vector<RecordedMidiMessage> MidiRecording::messages() const
{
    std::lock_guard lock(mutex_);
    return messages_;
}

void MidiRecording::setPreloaded(std::vector<int> programs)
{
    std::lock_guard lock(mutex_);
    preloaded_ = std::move(programs);
}

std::vector<int> MidiRecording::preloadedPrograms() const
{
    std::lock_guard lock(mutex_);
    return preloaded_;
}

int MidiRecording::resetCount() const
{
    std::lock_guard lock(mutex_);
    return resets_;
}

int MidiRecording::closeCount() const
{
    std::lock_guard lock(mutex_);
    return closes_;
}

void MidiRecording::clear()
{
    std::lock_guard lock(mutex_);
    messages_.clear();
    resets_ = 0;
    closes_ = 0;
}

RecordingMidiOutputPort::RecordingMidiOutputPort(std::string name, Clock& clock,
                                                 std::shared_ptr<MidiRecording> recording)
    : name_(std::move(name)), clock_(clock),
      recording_(recording ? std::move(recording) : std::make_shared<MidiRecording>())
{
}

void RecordingMidiOutputPort::sendShortMessage(std::uint32_t message)
{
    if (!closed_)
        recording_->addMessage(message, clock_.milliseconds());
}

void RecordingMidiOutputPort::reset()
{
    if (!closed_)
        recording_->addReset();
}

void RecordingMidiOutputPort::preloadPrograms(const std::vector<int>& programs)
{
    if (!closed_)
        recording_->setPreloaded(programs);
}

void RecordingMidiOutputPort::close()
{
    if (!closed_.exchange(true))
        recording_->addClose();
}

RecordingMidiOutputSystem::RecordingMidiOutputSystem(std::vector<std::string> names, Clock& clock)
    : names_(std::move(names)), clock_(clock)
{
}

MidiOutputSystem::OpenResult RecordingMidiOutputSystem::open(int device)
{
    auto failure = std::find_if(failures_.begin(), failures_.end(),
                                [device](const auto& f) { return f.first == device; });
    if (failure != failures_.end())
        return OpenResult::failure(failure->second);
    if (device < -1 || device >= static_cast<int>(names_.size()))
        return OpenResult::failure("There is no MIDI output device number " +
                                   std::to_string(device) + ".");
    opened_.push_back(device);
    std::string name = device == -1 ? "Midi Mapper" : names_[static_cast<std::size_t>(device)];
    return OpenResult(std::make_unique<RecordingMidiOutputPort>(name, clock_, recording_));
}

void RecordingMidiOutputSystem::failOpen(int device, std::string error)
{
    failures_.emplace_back(device, std::move(error));
}
