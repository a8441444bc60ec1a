#include "platform/midi/midi_input.h"

#include "platform/clock/clock.h"
#include "platform/midi/internal/alsa_sequencer_client.h"
#include "platform/midi/short_message.h"

namespace {

constexpr const char* clientName = "Beatwise";

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
    auto client = connectToAlsaSequencer<RtMidiIn>(clientName);
    try {
        return client ? client->getPortCount() : 0;
    } catch (const RtMidiError&) {
        return 0;
    }
}

Status MidiInput::openFirstPort()
{
    close();
    auto client = connectToAlsaSequencer<RtMidiIn>(clientName);
    if (!client)
        return Status::failure(
            "The ALSA sequencer is not available, so MIDI input cannot be read.");
    auto port = std::make_unique<Port>();
    port->owner = this;
    try {
        if (client->getPortCount() == 0)
            return Status::failure("There is no MIDI input port.");
        client->setCallback(&Port::received, port.get());
        // Clock, sensing and system-exclusive messages are no notes: keep them out.
        client->ignoreTypes(true, true, true);
        client->openPort(0, "Beatwise input");
        if (!client->isPortOpen())
            return Status::failure("The first MIDI input port could not be opened.");
    } catch (const RtMidiError& error) {
        return Status::failure("The first MIDI input port could not be opened: " +
                               error.getMessage());
    }
    port->client = std::move(client);
    port_ = std::move(port);
    return Status::success();
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
    ShortMessage message{bytes[0]};
    if (bytes.size() > 1)
        message.data1 = bytes[1];
    if (bytes.size() > 2)
        message.data2 = bytes[2];
    return message.pack();
}
