// The real microphone path end to end: a note rendered by the built-in
// synthesizer is played into a private PulseAudio server's microphone (a
// pipe source) in real time, and must come back through RtAudio, the
// resampler, the block delivery and the detector as the right note.
// Runs only where that server exists (.ci/run starts one and names it in
// SOLFARA_TEST_PULSE_SERVER, SOLFARA_TEST_MIC_PIPE and SOLFARA_TEST_MIC_RATE).
#include "platform/audio/capture_converter.h"
#include "platform/audio/rtaudio_wave_input.h"
#include "voice/voice_input.h"

#include "tests/voice/rendered_note.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <thread>

namespace {

class CollectingListener : public VoiceListener {
public:
    BlockContext blockContext() override
    {
        BlockContext context;
        context.periodTable = &table;
        context.dueNote = 33;
        return context;
    }
    void blockArrived(std::span<const std::uint8_t> samples) override
    {
        lengths.push_back(samples.size());
    }
    void blockJudged(const BlockVerdict& verdict) override { verdicts.push_back(verdict); }
    void showMessage(const std::string& text, const std::string&) override
    {
        messages.push_back(text);
    }

    PeriodTable table = buildPeriodTable(440);
    std::vector<std::size_t> lengths;
    std::vector<BlockVerdict> verdicts;
    std::vector<std::string> messages;
};

// Writes 16-bit mono samples into the pipe at the pace of `rate` (the pipe
// source is not clocked and would otherwise swallow them at once), then
// silence until `quit`: a source that stops delivering would leave the
// recording stream blocked in its read.
void playIntoPipe(const std::string& pipe, const std::vector<float>& samples, int rate,
                  std::atomic<bool>& played, const std::atomic<bool>& quit)
{
    const int fd = ::open(pipe.c_str(), O_WRONLY);
    if (fd < 0) {
        played = true;
        return;
    }
    const std::size_t chunk = std::size_t(rate) / 100; // 10 ms
    auto next = std::chrono::steady_clock::now();
    std::vector<std::int16_t> pcm(chunk);
    for (std::size_t done = 0; !quit; done += chunk) {
        const std::size_t n = chunk;
        for (std::size_t i = 0; i < n; ++i) {
            const float x = done + i < samples.size() ? samples[done + i] : 0.0f;
            pcm[i] = std::int16_t(std::lround(std::clamp(x, -1.0f, 1.0f) * 32767));
        }
        if (::write(fd, pcm.data(), n * sizeof(std::int16_t)) < 0)
            break;
        if (done >= samples.size())
            played = true;
        next += std::chrono::milliseconds(10);
        std::this_thread::sleep_until(next);
    }
    played = true;
    ::close(fd);
}

std::vector<float> resampleLinear(const std::vector<float>& in, int from, int to)
{
    if (from == to)
        return in;
    std::vector<float> out(std::size_t(double(in.size()) * to / from));
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double x = double(i) * from / to;
        const std::size_t k = std::size_t(x);
        const double f = x - double(k);
        const float a = in[std::min(k, in.size() - 1)];
        const float b = in[std::min(k + 1, in.size() - 1)];
        out[i] = float(a + (b - a) * f);
    }
    return out;
}

TEST(MicrophoneEndToEnd, RenderedNoteIsHeardThroughTheSoundServer)
{
    const char* server = std::getenv("SOLFARA_TEST_PULSE_SERVER");
    const char* pipe = std::getenv("SOLFARA_TEST_MIC_PIPE");
    const char* rateText = std::getenv("SOLFARA_TEST_MIC_RATE");
    if (!server || !pipe || !rateText)
        GTEST_SKIP() << "no private PulseAudio server (see .ci/run)";
    setenv("PULSE_SERVER", server, 1);
    const int pipeRate = std::atoi(rateText);

    NoteRenderer renderer;
    ASSERT_TRUE(renderer.synth) << renderer.error;
    // Half a second of silence, A4 on the piano for 1.5 s, then silence.
    std::vector<float> sound(SoundFontSynth::sampleRate / 2, 0.0f);
    std::vector<float> note = renderer.render(NoteRenderer::piano, 33, 1.5, 0.0);
    NoteRenderer::normalise(note);
    sound.insert(sound.end(), note.begin(), note.end());
    sound.resize(sound.size() + SoundFontSynth::sampleRate, 0.0f);
    sound = resampleLinear(sound, SoundFontSynth::sampleRate, pipeRate);

    RtAudioWaveInputDevices devices;
    ASSERT_GE(devices.count(), 1);
    RtAudioWaveInput microphone;
    CollectingListener listener;
    VoiceInput voice(microphone, listener);
    voice.setWaveAvailable(true);
    voice.prepareCapture();
    ASSERT_TRUE(listener.messages.empty());
    voice.startCapture();
    ASSERT_TRUE(microphone.isOpen());

    std::atomic<bool> played{false};
    std::atomic<bool> quit{false};
    std::thread player([&] { playIntoPipe(pipe, sound, pipeRate, played, quit); });
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(15);
    while (!played && std::chrono::steady_clock::now() < deadline)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    voice.stopCapture();
    quit = true;
    player.join();

    // Every block has the length the detector asked for before it was queued:
    // the first is long, and after A4 (33 >= 18) they are short.
    ASSERT_GE(listener.lengths.size(), 10u);
    EXPECT_EQ(listener.lengths.front(), 2048u);
    std::size_t expected = 2048;
    for (std::size_t i = 0; i < listener.verdicts.size(); ++i) {
        EXPECT_EQ(listener.lengths[i], expected) << "block " << i;
        const auto& d = listener.verdicts[i].detection;
        if (d.outcome == BlockOutcome::note)
            expected = d.sungNote < 18 ? 2048 : 1024;
    }
    // The note is heard as A4 in most blocks while it sounds, and the
    // silence around it is silent.
    int a4 = 0;
    int otherNotes = 0;
    int silent = 0;
    for (const auto& verdict : listener.verdicts) {
        if (verdict.detection.outcome != BlockOutcome::note)
            ++silent;
        else if (verdict.detection.sungNote == 33)
            ++a4;
        else
            ++otherNotes;
    }
    EXPECT_GE(a4, 8) << otherNotes << " other notes, " << silent << " silent";
    EXPECT_LE(otherNotes, 3);
    EXPECT_GE(silent, 3);
    EXPECT_TRUE(std::any_of(listener.verdicts.begin(), listener.verdicts.end(),
                            [](const BlockVerdict& v) { return v.accepted; }));
}

} // namespace
