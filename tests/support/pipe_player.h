#pragma once

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <thread>
#include <vector>

// The private PulseAudio server that .ci/run starts: its microphone is a pipe
// the test writes into at `rate`. Unset outside .ci/run; when set, the sound
// libraries of this process are pointed at it (PULSE_SERVER).
struct PrivateSoundServer {
    std::string microphonePipe;
    int rate = 0;
};

inline std::optional<PrivateSoundServer> privateSoundServer()
{
    const char* server = std::getenv("SOLFARA_TEST_PULSE_SERVER");
    const char* pipe = std::getenv("SOLFARA_TEST_MIC_PIPE");
    const char* rate = std::getenv("SOLFARA_TEST_MIC_RATE");
    if (!server || !pipe || !rate)
        return std::nullopt;
    setenv("PULSE_SERVER", server, 1);
    return PrivateSoundServer{pipe, std::atoi(rate)};
}

// Writes 16-bit mono samples into the private sound server's microphone pipe
// at the pace of `rate` (the pipe source is not clocked and would otherwise
// swallow them at once), then silence until `quit`: a source that stops
// delivering would leave the recording stream blocked in its read.
inline void playIntoPipe(const std::string& pipe, const std::vector<float>& samples, int rate,
                         std::atomic<bool>& played, const std::atomic<bool>& quit)
{
    const int fd = ::open(pipe.c_str(), O_WRONLY);
    // A source nobody records from stops reading: the writes must not block
    // past `quit`.
    if (fd >= 0)
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
    std::vector<std::int16_t> pcm(std::size_t(rate) / 100); // 10 ms
    auto next = std::chrono::steady_clock::now();
    for (std::size_t done = 0; fd >= 0 && !quit; done += pcm.size()) {
        for (std::size_t i = 0; i < pcm.size(); ++i)
            pcm[i] = std::int16_t(done + i < samples.size() ? samples[done + i] * 32767 : 0);
        const auto* bytes = reinterpret_cast<const char*>(pcm.data());
        std::size_t left = pcm.size() * sizeof(std::int16_t);
        while (left > 0 && !quit) {
            const ssize_t written = ::write(fd, bytes, left);
            if (written < 0 && errno != EAGAIN)
                break;
            if (written < 0) {
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
                continue;
            }
            bytes += written;
            left -= std::size_t(written);
        }
        if (left > 0)
            break;
        played = played || done >= samples.size();
        std::this_thread::sleep_until(next += std::chrono::milliseconds(10));
    }
    played = true;
    if (fd >= 0)
        ::close(fd);
}
