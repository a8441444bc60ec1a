#include "platform/audio/internal/desktop_wave_input.h"

Status DesktopWaveInput::open()
{
    if (isOpen())
        return Status::success();
    if (server_.open()) {
        active_ = &server_;
        return Status::success();
    }
    Status direct = direct_.open();
    active_ = direct ? &direct_ : nullptr;
    return direct;
}

void DesktopWaveInput::close()
{
    if (active_)
        active_->close();
    active_ = nullptr;
}

void DesktopWaveInput::queueBlock(std::size_t length)
{
    if (active_)
        active_->queueBlock(length);
}

void DesktopWaveInput::start()
{
    if (active_)
        active_->start();
}

void DesktopWaveInput::stop()
{
    if (active_)
        active_->stop();
}

void DesktopWaveInput::setBlockHandler(BlockHandler handler)
{
    server_.setBlockHandler(handler);
    direct_.setBlockHandler(std::move(handler));
}

const SoundLevelMeter* DesktopWaveInput::levelMeter() const
{
    return active_ ? active_->levelMeter() : nullptr;
}
