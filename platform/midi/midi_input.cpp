#include "platform/midi/midi_input.h"

#include "platform/clock/clock.h"

#include <alsa/asoundlib.h>
#include <rtmidi/RtMidi.h>

namespace {

// Sequencer failures are reported by the return values; RtMidi's own printing
// would only repeat them on the terminal.
void ignoreError(RtMidiError::Type, const std::string&, void*) {}

// RtMidi prints to the terminal before it throws when there is no sequencer;
// asking ALSA first keeps that quiet (ALSA's own message is muted).
bool sequencerCanRead()
{
    snd_seq_t* sequencer = nullptr;
    if (snd_seq_open(&sequencer, "default", SND_SEQ_OPEN_INPUT, SND_SEQ_NONBLOCK) < 0)
        return false;
    snd_seq_close(sequencer);
    return true;
}

std::unique_ptr<RtMidiIn> makeClient()
{
    if (!sequencerCanRead())
        return nullptr;
    try {
        auto client = std::make_unique<RtMidiIn>(RtMidi::LINUX_ALSA, "Beatwise");
        client->setErrorCallback(ignoreError);
        return client;
    } catch (const RtMidiError&) {
        return nullptr;
    }
}

} // namespace

struct MidiInput::Port {
    std::unique_ptr<RtMidiIn> client;
    MidiInput* owner = nullptr;

    static void received(double, std::vector<unsigned char>* bytes, void* user)
    {
        auto* self = static_cast<Port*>(user);
        auto message = packShortMessage(*bytes);
        if (!message)
            return;
        std::uint32_t time = SteadyClock().milliseconds();
        MidiInput* owner = self->owner;
        QMetaObject::invokeMethod(
            owner, [owner, m = *message, time] { emit owner->shortMessage(m, time); },
            Qt::QueuedConnection);
    }
};

MidiInput::MidiInput(QObject* parent) : QObject(parent) {}

MidiInput::~MidiInput()
{
    close();
}

unsigned MidiInput::portCount()
{
    auto client = makeClient();
    try {
        return client ? client->getPortCount() : 0;
    } catch (const RtMidiError&) {
        return 0;
    }
}

bool MidiInput::openFirstPort()
{
    close();
    auto client = makeClient();
    if (!client)
        return false;
    auto port = std::make_unique<Port>();
    port->owner = this;
    try {
        if (client->getPortCount() == 0)
            return false;
        client->setCallback(&Port::received, port.get());
        // Clock, sensing and system-exclusive messages are no notes: keep them out.
        client->ignoreTypes(true, true, true);
        client->openPort(0, "Beatwise input");
        if (!client->isPortOpen())
            return false;
    } catch (const RtMidiError&) {
        return false;
    }
    port->client = std::move(client);
    port_ = std::move(port);
    return true;
}

void MidiInput::close()
{
    if (!port_)
        return;
    try {
        // Closing stops the sequencer's input thread before the port goes away.
        port_->client->closePort();
    } catch (const RtMidiError&) {
    }
    port_.reset();
}

bool MidiInput::isOpen() const
{
    return port_ != nullptr;
}

std::optional<std::uint32_t> MidiInput::packShortMessage(const std::vector<unsigned char>& bytes)
{
    if (bytes.empty() || bytes.size() > 3 || bytes[0] < 0x80 || bytes[0] == 0xF0)
        return std::nullopt;
    std::uint32_t message = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i)
        message |= std::uint32_t(bytes[i]) << (8 * i);
    return message;
}
