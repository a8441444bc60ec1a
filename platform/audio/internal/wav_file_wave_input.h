#pragma once

#include "platform/audio/queued_wave_input.h"

#include <atomic>
#include <memory>
#include <string>
#include <thread>

class WavSource;

// A recording used as the microphone. It starts playing, in real time, the
// first time recording starts, and then runs on like a live singer whether
// or not a block is queued; after its end the "microphone" hears silence.
class WavFileWaveInput final : public QueuedWaveInput {
public:
    // Fails with the reason when the file cannot be read.
    static Result<std::unique_ptr<WavFileWaveInput>> create(const std::string& path);
    ~WavFileWaveInput() override;

    Status open() override;
    void close() override;
    bool isOpen() const override { return open_; }
    void start() override;

private:
    explicit WavFileWaveInput(std::unique_ptr<WavSource> source);
    void play();

    std::unique_ptr<WavSource> source_;
    bool open_ = false;
    std::thread player_;
    std::atomic<bool> quit_{false};
};
