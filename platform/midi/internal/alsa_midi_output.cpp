#include "platform/midi/internal/alsa_midi_output.h"

#include "platform/midi/internal/alsa_sequencer_client.h"
#include "platform/midi/short_message.h"

#include <algorithm>
#include <initializer_list>
#include <memory>
#include <mutex>

namespace {

constexpr const char* clientName = "Solfara";

std::vector<std::string> portNames(RtMidiOut& out)
{
    std::vector<std::string> names;
    try {
        unsigned count = out.getPortCount();
        for (unsigned i = 0; i < count; ++i)
            names.push_back(out.getPortName(i));
    } catch (const RtMidiError&) {
    }
    return names;
}

class AlsaOutputPort final : public MidiOutputPort {
public:
    AlsaOutputPort(std::unique_ptr<RtMidiOut> out, std::string name)
        : out_(std::move(out)), name_(std::move(name))
    {
    }
    ~AlsaOutputPort() override { close(); }

    void sendShortMessage(std::uint32_t message) override
    {
        std::lock_guard lock(mutex_);
        if (!out_)
            return;
        const ShortMessage m = ShortMessage::unpack(message);
        unsigned char bytes[3] = {m.status, m.data1, m.data2};
        send(bytes, messageLength(m.status));
    }

    // All sound off, reset controllers and all notes off on every channel.
    void reset() override
    {
        std::lock_guard lock(mutex_);
        for (unsigned char channel = 0; channel < 16 && out_; ++channel) {
            for (unsigned char controller : {120, 121, 123}) {
                unsigned char bytes[3] = {static_cast<unsigned char>(0xB0 | channel), controller,
                                          0};
                send(bytes, 3);
            }
        }
    }

    void close() override
    {
        std::lock_guard lock(mutex_);
        if (out_) {
            out_->closePort();
            out_.reset();
        }
    }

    std::string name() const override { return name_; }

private:
    static std::size_t messageLength(unsigned char status)
    {
        switch (status & 0xF0) {
        case 0xC0:
        case 0xD0:
            return 2; // program change and channel pressure carry one data byte
        case 0xF0:
            return status >= 0xF8 ? 1 : 3;
        default:
            return 3;
        }
    }

    void send(const unsigned char* bytes, std::size_t length)
    {
        try {
            out_->sendMessage(bytes, length);
        } catch (const RtMidiError&) {
        }
    }

    std::mutex mutex_; // RtMidi's ALSA encoder is not safe to share between threads
    std::unique_ptr<RtMidiOut> out_;
    std::string name_;
};

} // namespace

std::vector<std::string> AlsaMidiOutputSystem::deviceNames()
{
    auto out = connectToAlsaSequencer<RtMidiOut>(clientName);
    listed_ = out ? portNames(*out) : std::vector<std::string>{};
    return listed_;
}

MidiOutputSystem::OpenResult AlsaMidiOutputSystem::open(int device)
{
    if (device < 0 || device >= static_cast<int>(listed_.size()))
        return OpenResult::failure("There is no MIDI output device number " +
                                   std::to_string(device) + ".");
    const std::string& wanted = listed_[static_cast<std::size_t>(device)];
    auto out = connectToAlsaSequencer<RtMidiOut>(clientName);
    if (!out)
        return OpenResult::failure("The ALSA sequencer is not available, so \"" + wanted +
                                   "\" cannot be opened.");
    // Ports come and go (a keyboard unplugged): open the one with the listed
    // name, wherever it is now.
    auto names = portNames(*out);
    auto found = std::find(names.begin(), names.end(), wanted);
    if (found == names.end())
        return OpenResult::failure("The MIDI port \"" + wanted + "\" is no longer available.");
    try {
        out->openPort(static_cast<unsigned>(found - names.begin()), clientName);
    } catch (const RtMidiError& error) {
        return OpenResult::failure("The MIDI port \"" + wanted +
                                   "\" could not be opened: " + error.getMessage());
    }
    if (!out->isPortOpen())
        return OpenResult::failure("The MIDI port \"" + wanted + "\" could not be opened.");
    return OpenResult(std::make_unique<AlsaOutputPort>(std::move(out), wanted));
}
