// How often the Classic and the Precise pitch detector name the note that
// sounds, side by side on one corpus: every note from C2 to C6 of several
// General MIDI voices and instruments of the built-in synthesizer, the two
// voices again sung with vibrato (+-30 cents at 5-6 Hz) and breath noise
// (-20 dB), and synthetic voices (a vowel with vibrato and breath, sung
// with pauses and legato in leaps, and a voice without its fundamental).
// Each note but the legato ones is preceded by a pause of 0.25 to 0.35 s (so
// onsets fall anywhere in a block), held for 1 s and released; each set is
// one recording turned into capture samples (11025 Hz, 8-bit) and cut into
// blocks as the program cuts them.
//
// Per set and detector: the share of held blocks (wholly inside the held
// note, and louder than the silence filter) named right and named an octave
// off; the notes named right by most of their held blocks, and those the
// judge accepts (default `cycles`); the time from the note's onset to the end
// of its first right block (the moment the answer exists); blocks of the
// pauses heard as a note; blocks across a change of note (onset or release)
// heard as a third note, which would make the marker jump; the cost of a
// block.
//   build/bench/voice_accuracy_report [-v] [--corpus] [SOUNDFONT]
// -v lists the notes named wrong, the stray notes and the notes the SoundFont
// sounds more than 25 cents off (as the Precise detector measures them); --corpus measures only
// the seven programs of the detector's reference corpus (piano, choir aahs,
// voice oohs, synth voice, alto sax, bassoon, flute), to be run with TimGM6mb
// and with FluidR3; SOUNDFONT replaces the system's General MIDI SoundFont
// (the figures depend on its samples).
#include "base/quantile.h"
#include "platform/audio/internal/capture_converter.h"
#include "platform/testing/rendered_note.h"
#include "platform/testing/sound_samples.h"
#include "voice/cents.h"
#include "voice/pitch_detector.h"
#include "voice/precise_pitch_detector.h"
#include "voice/recording_detection.h"
#include "voice/sample_conversion.h"
#include "voice/sung_note_judge.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <functional>
#include <map>
#include <numbers>
#include <numeric>
#include <optional>
#include <random>
#include <string>

namespace {

constexpr int rate = SoundFontSynth::sampleRate;
constexpr double heldSeconds = 1.0;
constexpr double releaseSeconds = 0.3;
constexpr int defaultCycles = 1;
// A rendered note whose held blocks measure further off than this (their
// median, in cents) has no one right name for every block: a SoundFont's
// sample tuned off, not the detector, decides between the two neighbours.
constexpr double outOfTuneCents = 25;

// Vibrato of +-30 cents at a rate between 5 and 6 Hz.
struct Vibrato {
    double cents = 30;
    double hertz = 5.5;
    double at(double seconds) const
    {
        return cents * std::sin(2 * std::numbers::pi * hertz * seconds);
    }
};

struct SetSpec {
    std::string name;
    // The held note and its release at `rate`, starting with the onset.
    std::function<std::vector<float>(int note, double vibratoHertz)> render;
    bool breath = false;
    // Notes in random order, each straight after the one before.
    bool legato = false;
};

// A recording of one set: capture samples, and where each note is held.
struct NoteSpan {
    int note = 0;
    std::size_t onset = 0;   // capture sample where the note starts
    std::size_t release = 0; // where its key is let go
    std::size_t pauseStart = 0;
};

struct Recording {
    std::vector<std::uint8_t> samples;
    std::vector<NoteSpan> notes;
};

std::vector<std::uint8_t> toCaptureSamples(const std::vector<float>& sound)
{
    std::vector<std::uint8_t> samples;
    CaptureConverter converter(rate, [&](std::span<const std::uint8_t> s) {
        samples.insert(samples.end(), s.begin(), s.end());
    });
    converter.convert(sound.data(), sound.size());
    converter.flush();
    return samples;
}

// A GM program held for `heldSeconds`; with vibrato, the pitch wheel (two
// semitones either way) follows it every 5 ms.
std::vector<float> renderProgram(NoteRenderer& renderer, int program, int note,
                                 const std::optional<Vibrato>& vibrato)
{
    SoundFontSynth& synth = *renderer.synth;
    synth.reset();
    synth.handleShortMessage(0xC0 | program << 8);
    auto bend = [&](double cents) {
        const int value = std::clamp(8192 + int(std::lround(cents / 200 * 8192)), 0, 16383);
        synth.handleShortMessage(0xE0 | (value & 0x7F) << 8 | (value >> 7) << 16);
    };
    bend(0);
    const int key = note + 36;
    synth.handleShortMessage(0x90 | key << 8 | 100 << 16);
    std::vector<float> sound;
    const double step = 0.005;
    for (double t = 0; t < heldSeconds - 1e-9; t += step) {
        if (vibrato)
            bend(vibrato->at(t));
        auto chunk = renderer.listen(step);
        sound.insert(sound.end(), chunk.begin(), chunk.end());
    }
    synth.handleShortMessage(0x80 | key << 8 | 94 << 16);
    auto release = renderer.listen(releaseSeconds);
    sound.insert(sound.end(), release.begin(), release.end());
    return sound;
}

// A voice-like tone: harmonics `first`.. up to 5 kHz falling as 1/k, with
// vibrato, a 20 ms attack and a 50 ms release.
std::vector<float> harmonicVoice(int note, int first, const Vibrato& vibrato)
{
    const double f0 = noteFrequency(note);
    const std::size_t held = std::size_t(heldSeconds * rate);
    std::vector<float> sound(std::size_t((heldSeconds + releaseSeconds) * rate), 0.0f);
    double phase = 0;
    for (std::size_t i = 0; i < held + std::size_t(0.05 * rate); ++i) {
        const double t = double(i) / rate;
        phase += 2 * std::numbers::pi * f0 * std::pow(2.0, vibrato.at(t) / 1200) / rate;
        const double envelope =
            std::min({1.0, t / 0.02, std::max(0.0, (heldSeconds + 0.05 - t) / 0.05)});
        double s = 0;
        for (int k = first; k * f0 < 5000; ++k)
            s += std::sin(k * phase) / k;
        sound[i] = float(envelope * s);
    }
    return sound;
}

double rmsOf(const std::vector<float>& sound, std::size_t from, std::size_t to)
{
    return rms(std::span<const float>(sound).subspan(from, std::min(to, sound.size()) - from));
}

Recording record(const SetSpec& set, std::mt19937& random)
{
    Recording recording;
    std::uniform_real_distribution<double> pause(0.25, 0.35), vibratoRate(5.0, 6.0);
    std::normal_distribution<double> gauss(0, 1);
    std::vector<int> order(49);
    std::iota(order.begin(), order.end(), 0);
    if (set.legato)
        std::shuffle(order.begin(), order.end(), random);
    for (int note : order) {
        const bool joined = set.legato && !recording.notes.empty();
        const std::size_t lead = joined ? 0 : std::size_t(pause(random) * rate);
        std::vector<float> sound(lead, 0.0f);
        std::vector<float> tone = set.render(note, vibratoRate(random));
        if (set.legato)
            tone.resize(std::size_t(heldSeconds * rate));
        sound.insert(sound.end(), tone.begin(), tone.end());
        if (set.breath) {
            // Breath: low-passed white noise 20 dB below the held note, pauses included.
            const double level = 0.1 * rmsOf(sound, lead, lead + std::size_t(heldSeconds * rate));
            std::vector<float> noise(sound.size());
            double smooth = 0;
            for (float& n : noise) {
                smooth += 0.5 * (gauss(random) - smooth);
                n = float(smooth);
            }
            const double scale = level / rmsOf(noise, 0, noise.size());
            for (std::size_t i = 0; i < sound.size(); ++i)
                sound[i] += float(noise[i] * scale);
        }
        NoteRenderer::normalise(sound);
        std::vector<std::uint8_t> samples = toCaptureSamples(sound);
        NoteSpan span;
        span.note = note;
        span.pauseStart = recording.samples.size();
        span.onset = span.pauseStart + lead * 11025 / rate;
        span.release = span.onset + std::size_t(heldSeconds * 11025);
        recording.samples.insert(recording.samples.end(), samples.begin(), samples.end());
        recording.notes.push_back(span);
    }
    return recording;
}

struct Tally {
    int heldBlocks = 0, heldRight = 0, heldOctave = 0;
    int notes = 0, notesByMajority = 0, notesAccepted = 0;
    std::vector<double> onsetsMs; // notes with a right block
    int pauseBlocks = 0, pauseHeard = 0;
    int changeBlocks = 0, changeStray = 0; // around onsets and releases
    double seconds = 0;
    int blocks = 0;
    std::string wrong, stray, silentHeld; // -v: the notes named wrong, stray, held but silent
    std::string outOfTune; // -v: notes that sound more than `outOfTuneCents` off their name

    void add(const Tally& other)
    {
        heldBlocks += other.heldBlocks, heldRight += other.heldRight;
        heldOctave += other.heldOctave, notes += other.notes;
        notesByMajority += other.notesByMajority, notesAccepted += other.notesAccepted;
        onsetsMs.insert(onsetsMs.end(), other.onsetsMs.begin(), other.onsetsMs.end());
        pauseBlocks += other.pauseBlocks, pauseHeard += other.pauseHeard;
        changeBlocks += other.changeBlocks, changeStray += other.changeStray;
        seconds += other.seconds, blocks += other.blocks;
    }
};

// Whether any sample of the block passes the silence filter both detectors
// share: a decayed note that neither may hear is not held.
bool audible(const Recording& recording, std::size_t from, std::size_t to)
{
    const DetectorSettings settings;
    for (std::size_t i = from; i < to; ++i)
        if (signedSampleValue(recording.samples[i]) > settings.micFilter)
            return true;
    return false;
}

Tally judge(const Recording& recording, NoteDetector& detector)
{
    const PeriodTable table = buildPeriodTable(440);
    Tally tally;
    const auto start = std::chrono::steady_clock::now();
    const std::vector<DetectedBlock> blocks =
        detectBlocks(recording.samples, DetectorSettings{}, table, detector);
    tally.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    tally.blocks = int(blocks.size());

    std::size_t first = 0;
    int previousNote = -1;
    auto startOf = [&](std::size_t b) {
        return std::size_t(std::lround(blocks[b].startSeconds * 11025));
    };
    for (std::size_t i = 0; i < recording.notes.size(); ++i) {
        const NoteSpan& span = recording.notes[i];
        const int nextNote = i + 1 < recording.notes.size() ? recording.notes[i + 1].note : -1;
        ++tally.notes;
        std::map<int, int> answers; // -1: silent
        SungNoteJudge judgeOfNote;
        bool accepted = false, onsetFound = false;
        std::vector<double> cents; // of the held blocks with a measured pitch, octaves folded
        while (first < blocks.size() &&
               startOf(first) + std::size_t(blocks[first].length) <= span.pauseStart)
            ++first;
        for (std::size_t b = first; b < blocks.size() && startOf(b) < span.release; ++b) {
            const std::size_t from = startOf(b);
            const std::size_t to = from + std::size_t(blocks[b].length);
            const bool heard = blocks[b].result.outcome == BlockOutcome::Note;
            const int answer = heard ? blocks[b].result.sungNote : -1;
            if (to <= span.onset) {
                if (from >= span.pauseStart) {
                    ++tally.pauseBlocks;
                    tally.pauseHeard += heard;
                }
                continue;
            }
            if (heard)
                accepted |= judgeOfNote.judge(answer, span.note, defaultCycles);
            if (!onsetFound && answer == span.note) {
                onsetFound = true;
                tally.onsetsMs.push_back(double(to - span.onset) * 1000 / 11025);
            }
            if (from >= span.onset && to <= span.release) {
                if (!audible(recording, from, to))
                    continue;
                ++tally.heldBlocks;
                ++answers[answer];
                tally.heldRight += answer == span.note;
                tally.heldOctave += heard && answer != span.note && (answer - span.note) % 12 == 0;
                if (!heard)
                    tally.silentHeld += " " + noteIndexName(span.note);
                if (blocks[b].result.period > 0)
                    cents.push_back(
                        centsAgainstPitchClass(blocks[b].result.period, span.note, table, 0));
            } else {
                // Across a change of note: a third note would make the marker jump.
                ++tally.changeBlocks;
                if (heard && answer != span.note && answer != previousNote && answer != nextNote) {
                    ++tally.changeStray;
                    tally.stray += " " + noteIndexName(span.note) + "->" + noteIndexName(answer);
                }
            }
        }
        previousNote = span.note;
        int most = -1, mostCount = 0;
        for (auto [answer, count] : answers)
            if (count > mostCount)
                most = answer, mostCount = count;
        tally.notesByMajority += most == span.note;
        tally.notesAccepted += accepted;
        if (!cents.empty()) {
            const double median = quantile(cents, 0.5);
            if (std::abs(median) > outOfTuneCents)
                tally.outOfTune += " " + noteIndexName(span.note) + " " + (median > 0 ? "+" : "") +
                                   std::to_string(std::lround(median));
        }
        if (most != span.note || !accepted)
            tally.wrong += " " + noteIndexName(span.note) + "->" +
                           (most < 0 ? std::string("silent") : noteIndexName(most));
    }
    return tally;
}

double percentile(std::vector<double> values, double p)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[std::size_t(p * double(values.size() - 1))];
}

void printRow(const std::string& set, const char* detector, const Tally& t, bool verbose)
{
    double mean = 0;
    for (double ms : t.onsetsMs)
        mean += ms;
    mean = t.onsetsMs.empty() ? 0 : mean / double(t.onsetsMs.size());
    std::printf(
        "%-28s %-8s %6.1f%%  %6.2f%%  %4d/%-4d %4d/%-4d  %5.0f %5.0f %5.0f  %4d/%-5d %4d/%-5d "
        "%6.1f\n",
        set.c_str(), detector, 100.0 * t.heldRight / std::max(1, t.heldBlocks),
        100.0 * t.heldOctave / std::max(1, t.heldBlocks), t.notesByMajority, t.notes,
        t.notesAccepted, t.notes, mean, percentile(t.onsetsMs, 0.5), percentile(t.onsetsMs, 0.9),
        t.pauseHeard, t.pauseBlocks, t.changeStray, t.changeBlocks,
        1e6 * t.seconds / std::max(1, t.blocks));
    if (verbose && !t.wrong.empty())
        std::printf("%-28s   wrong:%s\n", "", t.wrong.c_str());
    if (verbose && !t.silentHeld.empty())
        std::printf("%31s silent: %s\n", "", t.silentHeld.c_str());
    if (verbose && !t.stray.empty())
        std::printf("%-28s   stray:%s\n", "", t.stray.c_str());
    if (verbose && !t.outOfTune.empty() && std::strcmp(detector, "Precise") == 0)
        std::printf("%-28s   out of tune:%s\n", "", t.outOfTune.c_str());
}

} // namespace

int main(int argc, char** argv)
{
    bool verbose = false;
    bool corpus = false;
    std::string soundFont;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "-v") == 0)
            verbose = true;
        else if (std::strcmp(argv[i], "--corpus") == 0)
            corpus = true;
        else
            soundFont = argv[i];
    }
    NoteRenderer renderer;
    if (!soundFont.empty()) {
        auto created = SoundFontSynth::create(soundFont);
        renderer.synth = created ? std::move(created).value() : nullptr;
        renderer.error = created.message();
    }
    if (!renderer.synth) {
        std::fprintf(stderr, "%s\n", renderer.error.c_str());
        return 1;
    }
    std::printf("SoundFont: %s\n\n", renderer.synth->soundFont().string().c_str());
    auto program = [&](int number, bool vibrato) {
        return [&renderer, number, vibrato](int note, double hertz) {
            return renderProgram(renderer, number, note,
                                 vibrato ? std::optional(Vibrato{30, hertz}) : std::nullopt);
        };
    };
    const std::vector<SetSpec> reference = {
        {"Piano (GM 1)", program(0, false)},        {"Choir Aahs (GM 53)", program(52, false)},
        {"Voice Oohs (GM 54)", program(53, false)}, {"Synth Voice (GM 55)", program(54, false)},
        {"Alto Sax (GM 66)", program(65, false)},   {"Bassoon (GM 71)", program(70, false)},
        {"Flute (GM 74)", program(73, false)},
    };
    const std::vector<SetSpec> everything = {
        {"Piano (GM 1)", program(0, false)},
        {"Violin (GM 41)", program(40, false)},
        {"Trumpet (GM 57)", program(56, false)},
        {"Clarinet (GM 72)", program(71, false)},
        {"Flute (GM 74)", program(73, false)},
        {"Choir Aahs (GM 53)", program(52, false)},
        {"Voice Oohs (GM 54)", program(53, false)},
        {"Choir Aahs, vibrato, breath", program(52, true), true},
        {"Voice Oohs, vibrato, breath", program(53, true), true},
        {"Sung vowel, vibrato, breath",
         [](int note, double hertz) {
             return harmonicVoice(note, 1, {30, hertz});
         },
         true},
        {"Sung vowel, legato leaps",
         [](int note, double hertz) {
             return harmonicVoice(note, 1, {30, hertz});
         },
         true, true},
        {"No fundamental, vibrato",
         [](int note, double hertz) {
             return harmonicVoice(note, 2, {30, hertz});
         }},
    };
    const std::vector<SetSpec>& sets = corpus ? reference : everything;

    std::printf("%-28s %-8s %7s  %7s  %9s %9s  %17s  %10s %10s %6s\n", "", "", "held", "octave",
                "notes", "notes", "onset to right ms", "pause", "change", "us per");
    std::printf("%-28s %-8s %7s  %7s  %9s %9s  %5s %5s %5s  %10s %10s %6s\n", "set", "detector",
                "blocks", "errors", "majority", "accepted", "mean", "med", "p90", "heard", "stray",
                "block");
    Tally classicTotal, preciseTotal;
    std::mt19937 random(2026);
    for (const SetSpec& set : sets) {
        const Recording recording = record(set, random);
        PitchDetector classic;
        PrecisePitchDetector precise;
        const Tally c = judge(recording, classic);
        const Tally p = judge(recording, precise);
        printRow(set.name, "Classic", c, verbose);
        printRow("", "Precise", p, verbose);
        classicTotal.add(c);
        preciseTotal.add(p);
    }
    printRow("All sets", "Classic", classicTotal, false);
    printRow("", "Precise", preciseTotal, false);
    return 0;
}
