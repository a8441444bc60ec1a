#include "notation/standard_midi_file.h"

#include <algorithm>
#include <cstdint>
#include <map>
#include <optional>

namespace {

constexpr int kDrumChannel = 9; // channel 10 as musicians count
constexpr std::uint32_t kExportTicksPerQuarter = 480;
// The most notes a track may start: far beyond any song, it bounds the memory a hostile file
// can make the reader take.
constexpr std::size_t kMaxTrackNotes = 200'000;

// Reads big-endian numbers and variable-length quantities from the file's bytes, and says
// when the bytes run out.
class ByteReader {
public:
    explicit ByteReader(std::string_view bytes) : bytes_(bytes) {}

    bool atEnd() const { return position_ >= bytes_.size(); }
    std::size_t left() const { return bytes_.size() - position_; }
    std::optional<std::uint8_t> byte()
    {
        if (atEnd())
            return std::nullopt;
        return static_cast<std::uint8_t>(bytes_[position_++]);
    }
    std::optional<std::uint32_t> number(int length)
    {
        if (left() < static_cast<std::size_t>(length))
            return std::nullopt;
        std::uint32_t value = 0;
        for (int i = 0; i < length; ++i)
            value = value << 8 | static_cast<std::uint8_t>(bytes_[position_++]);
        return value;
    }
    // At most four bytes of seven bits, as the format allows.
    std::optional<std::uint32_t> quantity()
    {
        std::uint32_t value = 0;
        for (int i = 0; i < 4; ++i) {
            const auto b = byte();
            if (!b)
                return std::nullopt;
            value = value << 7 | (*b & 0x7F);
            if (!(*b & 0x80))
                return value;
        }
        return std::nullopt;
    }
    std::optional<std::string_view> take(std::size_t length)
    {
        if (left() < length)
            return std::nullopt;
        const std::string_view piece = bytes_.substr(position_, length);
        position_ += length;
        return piece;
    }

private:
    std::string_view bytes_;
    std::size_t position_ = 0;
};

struct TimedNote {
    std::uint64_t start = 0, end = 0;
    int key = 0;
};

struct Track {
    std::string name;
    std::map<int, std::vector<TimedNote>> notesByChannel;
};

Result<NotatedScore> damaged(const std::string& why)
{
    return Result<NotatedScore>::failure("This MIDI file cannot be read: " + why + ".");
}

// One track's events: the notes of each channel with their times, and the track name.
Result<Track> readTrack(std::string_view body)
{
    ByteReader in(body);
    Track track;
    std::uint64_t now = 0;
    std::uint8_t status = 0;
    std::size_t started = 0;
    // The sounding notes per channel and key: their start times, oldest first.
    std::map<std::pair<int, int>, std::vector<std::uint64_t>> sounding;
    const auto end = [&](int channel, int key) {
        auto found = sounding.find({channel, key});
        if (found == sounding.end() || found->second.empty())
            return;
        track.notesByChannel[channel].push_back({found->second.front(), now, key});
        found->second.erase(found->second.begin());
    };
    const auto cut = [] { return Result<Track>::failure("a track is cut short"); };
    while (!in.atEnd()) {
        const auto delta = in.quantity();
        const auto first = in.byte();
        if (!delta || !first)
            return cut();
        now += *delta;
        std::uint8_t data1 = 0;
        if (*first & 0x80) {
            status = *first;
            if (status < 0xF0) {
                const auto b = in.byte();
                if (!b)
                    return cut();
                data1 = *b;
            }
        } else if (status == 0 || status >= 0xF0) {
            return Result<Track>::failure("an event has no status");
        } else {
            data1 = *first; // running status
        }
        if (status == 0xFF) {
            const auto type = in.byte();
            const auto length = type ? in.quantity() : std::nullopt;
            const auto data = length ? in.take(*length) : std::nullopt;
            if (!data)
                return cut();
            if (*type == 0x03 && track.name.empty())
                track.name = std::string(*data);
            if (*type == 0x2F)
                break;
            status = 0; // running status does not outlive a meta event
            continue;
        }
        if (status == 0xF0 || status == 0xF7) {
            const auto length = in.quantity();
            if (!length || !in.take(*length))
                return cut();
            status = 0;
            continue;
        }
        if (status > 0xF0)
            return Result<Track>::failure("an event is of no known kind");
        const int kind = status >> 4, channel = status & 0x0F;
        const bool twoDataBytes = kind != 0xC && kind != 0xD;
        std::uint8_t data2 = 0;
        if (twoDataBytes) {
            const auto b = in.byte();
            if (!b)
                return cut();
            data2 = *b;
        }
        if (kind == 0x9 && data2 > 0) {
            if (++started > kMaxTrackNotes)
                return Result<Track>::failure("a track has more than 200000 notes");
            sounding[{channel, data1 & 0x7F}].push_back(now);
        } else if (kind == 0x8 || kind == 0x9)
            end(channel, data1 & 0x7F);
    }
    // Notes never switched off end with the track.
    for (auto& [where, starts] : sounding)
        while (!starts.empty())
            end(where.first, where.second);
    return track;
}

// The melody of notes of one part: by start time, a chord's top note, a rest of at least an
// eighth note ending a phrase.
NotatedPart partOf(std::string name, std::vector<TimedNote> notes, std::uint32_t ticksPerQuarter)
{
    std::stable_sort(notes.begin(), notes.end(),
                     [](const TimedNote& a, const TimedNote& b) { return a.start < b.start; });
    const std::uint64_t restTicks = std::max<std::uint32_t>(1, ticksPerQuarter / 2);
    NotatedPart part{std::move(name), {}};
    std::uint64_t lastStart = 0, lastEnd = 0;
    for (const TimedNote& n : notes) {
        if (!part.notes.empty() && n.start == lastStart) {
            part.notes.back().key = std::max(part.notes.back().key, n.key);
            lastEnd = std::max(lastEnd, n.end);
            continue;
        }
        if (!part.notes.empty() && n.start >= lastEnd + restTicks)
            part.notes.back().endsPhrase = true;
        part.notes.push_back({n.key, false});
        lastStart = n.start;
        lastEnd = n.end;
    }
    return part;
}

void putNumber(std::string& out, std::uint32_t value, int length)
{
    for (int i = length - 1; i >= 0; --i)
        out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

void putQuantity(std::string& out, std::uint32_t value)
{
    std::string bytes(1, static_cast<char>(value & 0x7F));
    while (value >>= 7)
        bytes.insert(bytes.begin(), static_cast<char>(0x80 | (value & 0x7F)));
    out += bytes;
}

} // namespace

Result<NotatedScore> readStandardMidiFile(std::string_view bytes)
{
    ByteReader in(bytes);
    const auto magic = in.take(4);
    const auto headerLength = in.number(4);
    if (!magic || *magic != "MThd" || !headerLength || *headerLength < 6)
        return damaged("it does not begin as a Standard MIDI File does");
    const auto format = in.number(2), trackCount = in.number(2), division = in.number(2);
    if (!format || !trackCount || !division || !in.take(*headerLength - 6))
        return damaged("its header is cut short");
    if (*format > 1)
        return damaged("it is of format " + std::to_string(*format) + "; formats 0 and 1 are read");
    if (*division & 0x8000)
        return damaged("it counts time in SMPTE frames, not in beats");
    const std::uint32_t ticksPerQuarter = std::max<std::uint32_t>(1, *division);

    NotatedScore score;
    std::vector<Track> tracks;
    while (!in.atEnd() && tracks.size() < *trackCount) {
        const auto kind = in.take(4);
        const auto length = in.number(4);
        if (!kind || !length)
            return damaged("a track header is cut short");
        const auto body = in.take(*length);
        if (!body)
            return damaged("a track is cut short");
        if (*kind != "MTrk")
            continue; // chunks of unknown kinds are to be skipped
        auto track = readTrack(*body);
        if (!track)
            return damaged(track.message());
        tracks.push_back(std::move(*track));
    }
    if (tracks.empty())
        return damaged("it has no track");

    for (std::size_t t = 0; t < tracks.size(); ++t) {
        Track& track = tracks[t];
        track.notesByChannel.erase(kDrumChannel);
        if (*format == 0) {
            score.workTitle = track.name;
            for (auto& [channel, notes] : track.notesByChannel)
                score.parts.push_back(partOf("Channel " + std::to_string(channel + 1),
                                             std::move(notes), ticksPerQuarter));
            continue;
        }
        if (t == 0 && track.notesByChannel.empty()) {
            score.workTitle = track.name;
            continue;
        }
        std::vector<TimedNote> notes;
        for (auto& [channel, channelNotes] : track.notesByChannel)
            notes.insert(notes.end(), channelNotes.begin(), channelNotes.end());
        if (notes.empty())
            continue;
        score.parts.push_back(
            partOf(track.name.empty() ? "Track " + std::to_string(t + 1) : track.name,
                   std::move(notes), ticksPerQuarter));
    }
    if (score.parts.empty())
        return Result<NotatedScore>::failure("This MIDI file has no notes outside the drums.");
    return score;
}

std::string standardMidiFileOf(const CustomMelody& melody)
{
    std::string track;
    const auto meta = [&](std::uint8_t type, std::string_view data) {
        putQuantity(track, 0);
        track += '\xFF';
        track += static_cast<char>(type);
        putQuantity(track, static_cast<std::uint32_t>(data.size()));
        track += data;
    };
    meta(0x03, melody.name);
    std::string tempo;
    putNumber(tempo, 1'000'000, 3); // microseconds a quarter note: 60 BPM
    meta(0x51, tempo);
    for (int key : melody.notes) {
        const char k = static_cast<char>(std::clamp(key, 0, 127));
        putQuantity(track, 0);
        track += {'\x90', k, '\x50'};
        putQuantity(track, kExportTicksPerQuarter);
        track += {'\x80', k, '\x40'};
    }
    meta(0x2F, {});

    std::string file = "MThd";
    putNumber(file, 6, 4);
    putNumber(file, 0, 2); // format 0
    putNumber(file, 1, 2); // one track
    putNumber(file, kExportTicksPerQuarter, 2);
    file += "MTrk";
    putNumber(file, static_cast<std::uint32_t>(track.size()), 4);
    return file + track;
}
