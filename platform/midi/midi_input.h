#pragma once

#include "base/result.h"

#include <QObject>

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

// The MIDI keyboard: the first MIDI input port of the ALSA sequencer (device 0).
// Each short message is stamped with the steady millisecond clock when it
// arrives and delivered on the thread that owns this object (the GUI thread).
class MidiInput : public QObject {
    Q_OBJECT
public:
    explicit MidiInput(QObject* parent = nullptr);
    ~MidiInput() override;

    // Number of MIDI input ports; 0 when there is no sequencer at all.
    static unsigned portCount();

    // Opens port 0 and starts delivering; a failure says why (no sequencer, no
    // port, or the port refused).
    Status openFirstPort();
    void close();
    bool isOpen() const;

    // A message as on the wire packed into one word, status in the low byte;
    // nothing for system-exclusive and other messages longer than three bytes.
    static std::optional<std::uint32_t> packShortMessage(const std::vector<unsigned char>& bytes);

signals:
    void shortMessage(std::uint32_t message, std::uint32_t timeMs);

private:
    struct Port;
    std::unique_ptr<Port> port_;
};
