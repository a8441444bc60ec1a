#include "voice/voice_input.h"

#include "base/user_messages.h"

VoiceInput::VoiceInput(WaveInput& device, NoteDetector& detector, VoiceListener& listener)
    : device_(device), listener_(listener), detector_(detector)
{
    device_.setBlockHandler([this](const CapturedBlock& block) { handleBlock(block); });
}

VoiceInput::~VoiceInput()
{
    device_.setBlockHandler({});
    device_.close();
}

void VoiceInput::prepareCapture()
{
    if (!waveAvailable_ || micOff_)
        return;
    if (!device_.open()) {
        listener_.showMessage(waveDeviceErrorText, kSolfaraCaption);
        waveAvailable_ = false;
        return;
    }
    device_.close();
}

void VoiceInput::startCapture()
{
    if (!waveAvailable_)
        return;
    if (!micOff_)
        (void)device_.open();
    // On a device that did not open these do nothing, and no block arrives.
    queueNextBlock();
}

void VoiceInput::stopCapture()
{
    device_.stop();
    device_.close();
}

void VoiceInput::setMicrophoneOn(bool on)
{
    if (on) {
        micOff_ = false;
        micMuted_ = false;
        startCapture();
    } else {
        micOff_ = true;
        stopCapture();
        micMuted_ = true;
    }
}

void VoiceInput::handleBlock(const CapturedBlock& block)
{
    listener_.blockArrived(block.samples);
    if (!detectionPaused_) {
        VoiceListener::BlockContext context = listener_.blockContext();
        context.settings.micMuted = micMuted_;
        if (context.periodTable)
            listener_.blockDetected(detector_.analyseBlock(block.samples, context.settings,
                                                           *context.periodTable, context.skipTo));
    }
    queueNextBlock();
}

void VoiceInput::queueNextBlock()
{
    device_.queueBlock(std::size_t(detector_.blockLength()));
    device_.start();
}
