// How often the pitch detector names the note the built-in synthesizer
// plays: Voice Oohs and Piano, every note from C2 to C6, rendered offline,
// turned into capture samples (11025 Hz, 8-bit) and cut into blocks as the
// program cuts them. Prints a table per instrument and a summary.
//   build/bench/voice_accuracy_report [seconds per note, default 1.0]
#include "platform/audio/capture_converter.h"
#include "tests/support/rendered_note.h"
#include "voice/recording_detection.h"

#include <cstdio>
#include <cstdlib>
#include <map>

namespace {

std::vector<std::uint8_t> toCaptureSamples(const std::vector<float>& sound)
{
    std::vector<std::uint8_t> samples;
    CaptureConverter converter(SoundFontSynth::sampleRate, [&](std::span<const std::uint8_t> s) {
        samples.insert(samples.end(), s.begin(), s.end());
    });
    converter.convert(sound.data(), sound.size());
    converter.flush();
    return samples;
}

struct Tally {
    int blocks = 0;
    int right = 0;
    int octaveOff = 0;
    int silent = 0;
    int notesRight = 0; // notes whose most frequent answer is right
};

} // namespace

int main(int argc, char** argv)
{
    const double seconds = argc > 1 ? std::atof(argv[1]) : 1.0;
    NoteRenderer renderer;
    if (!renderer.synth) {
        std::fprintf(stderr, "%s\n", renderer.error.c_str());
        return 1;
    }
    const PeriodTable table = buildPeriodTable(440);
    const DetectorSettings settings;
    for (auto [program, name] : {std::pair{NoteRenderer::voiceOohs, "Voice Oohs"},
                                 std::pair{NoteRenderer::piano, "Piano"}}) {
        std::printf("%s (GM program %d), %.1f s per note, peak 0.5:\n", name, program + 1, seconds);
        std::printf("  note   right  heard most  (all answers)\n");
        Tally tally;
        for (int note = 0; note <= 48; ++note) {
            std::vector<float> sound = renderer.render(program, note, seconds, 0.0);
            NoteRenderer::normalise(sound);
            const auto blocks = detectBlocks(toCaptureSamples(sound), settings, table);
            std::map<int, int> answers; // -1: silent
            int right = 0;
            for (const DetectedBlock& block : blocks) {
                const bool heard = block.result.outcome == BlockOutcome::note;
                const int answer = heard ? block.result.sungNote : -1;
                ++answers[answer];
                ++tally.blocks;
                right += answer == note;
                tally.silent += !heard;
                tally.octaveOff += heard && answer != note && (answer - note) % 12 == 0;
            }
            tally.right += right;
            int most = -1, mostCount = 0;
            std::string all;
            for (auto [answer, count] : answers) {
                if (count > mostCount)
                    most = answer, mostCount = count;
                all += " " + (answer < 0 ? std::string("silent") : noteIndexName(answer)) + "x" +
                       std::to_string(count);
            }
            tally.notesRight += most == note;
            std::printf("  %-4s  %2d/%-2d   %-6s     (%s )\n", noteIndexName(note).c_str(), right,
                        int(blocks.size()), most < 0 ? "silent" : noteIndexName(most).c_str(),
                        all.c_str() + 1);
        }
        const int heard = tally.blocks - tally.silent;
        std::printf("  blocks right %d/%d (%.1f%%); of the %d heard blocks %.1f%% right, "
                    "%d an octave off; notes right by majority %d/49\n\n",
                    tally.right, tally.blocks, 100.0 * tally.right / tally.blocks, heard,
                    heard ? 100.0 * tally.right / heard : 0.0, tally.octaveOff, tally.notesRight);
    }
    return 0;
}
