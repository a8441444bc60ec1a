#include "drill/drill_history.h"

#include "history/history_figures.h"
#include "history/local_time.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <map>
#include <span>
#include <string_view>

namespace {

constexpr int formatVersion = 1;

const std::vector<std::string>& drillColumns()
{
    static const std::vector<std::string> columns = {
        "time",  "answer_mode", "detector", "sight",     "key",        "scale",        "range",
        "level", "source",      "notes",    "tolerance", "duration_s", "hear_presses", "result"};
    return columns;
}

const std::vector<std::string>& noteColumns()
{
    static const std::vector<std::string> columns = {
        "drill_time",   "index",       "target",       "interval",      "degree",
        "accepted",     "skipped",     "first_try",    "ms_to_accept",  "cents_median",
        "cents_spread", "cents_scoop", "wrong_blocks", "octave_blocks", "wrong_presses"};
    return columns;
}

std::string flag(bool value)
{
    return value ? "1" : "0";
}

std::string signedNumber(int value)
{
    return (value > 0 ? "+" : "") + std::to_string(value);
}

} // namespace

std::string writtenNoteName(int noteIndex, Accidental accidental)
{
    static constexpr std::array<const char*, 12> sharps = {"C",  "C#", "D",  "D#", "E",  "F",
                                                           "F#", "G",  "G#", "A",  "A#", "B"};
    static constexpr std::array<const char*, 12> flats = {"C",  "Db", "D",  "Eb", "E",  "F",
                                                          "Gb", "G",  "Ab", "A",  "Bb", "B"};
    const int pitchClass = ((noteIndex % 12) + 12) % 12;
    const int octave = (noteIndex - pitchClass) / 12 + 2;
    const auto& names = accidental == Accidental::Flat ? flats : sharps;
    return names[std::size_t(pitchClass)] + std::to_string(octave);
}

std::string scaleDegreeName(int degree)
{
    static constexpr std::array<const char*, 12> names = {"1",  "b2", "2",  "b3", "3",  "4",
                                                          "#4", "5",  "b6", "6",  "b7", "7"};
    return names[std::size_t(((degree % 12) + 12) % 12)];
}

std::string intervalName(int semitones)
{
    static constexpr std::array<const char*, 12> simple = {"unison",  "m2", "M2", "m3", "M3", "P4",
                                                           "tritone", "P5", "m6", "M6", "m7", "M7"};
    static constexpr std::array<const char*, 12> compound = {
        "octave", "m9", "M9", "m10", "M10", "P11", "A11", "P12", "m13", "M13", "m14", "M14"};
    if (semitones == 0)
        return "unison";
    const int size = std::abs(semitones);
    const char* name = size < 12   ? simple[std::size_t(size)]
                       : size < 24 ? compound[std::size_t(size - 12)]
                                   : nullptr;
    const std::string direction = semitones > 0 ? " up" : " down";
    return (name ? std::string(name) : std::to_string(size) + " semitones") + direction;
}

DrillHistory::DrillHistory(const std::filesystem::path& dataDirectory)
    : drills_(dataDirectory / kDrillsFileName, formatVersion, drillColumns()),
      notes_(dataDirectory / kNotesFileName, formatVersion, noteColumns())
{
}

Status DrillHistory::append(const DrillRecord& record,
                            std::chrono::system_clock::time_point endedAt)
{
    const std::string time = isoLocalTime(endedAt - std::chrono::milliseconds(record.durationMs));
    std::string melody;
    for (const NoteRecord& note : record.notes)
        melody += (melody.empty() ? "" : " ") + writtenNoteName(note.target, note.accidental);
    // The notes go first: a drill row names only notes that were written.
    for (const NoteRecord& note : record.notes) {
        Status written = notes_.append(
            {time, std::to_string(note.index), writtenNoteName(note.target, note.accidental),
             note.index == 0 ? "" : signedNumber(note.interval), std::to_string(note.degree),
             flag(note.accepted), flag(note.skipped), flag(note.firstTry),
             note.accepted ? std::to_string(note.msToAccept) : "",
             note.intonation ? historyDecimal(note.intonation->median, 1) : "",
             note.intonation ? historyDecimal(note.intonation->spread, 1) : "",
             note.intonation && note.intonation->scoop ? historyDecimal(*note.intonation->scoop, 1)
                                                       : "",
             std::to_string(note.wrongBlocks), std::to_string(note.octaveBlocks),
             std::to_string(note.wrongPresses)});
        if (!written)
            return written;
    }
    return drills_.append({time, record.answerMode, record.detector, record.sight, record.key,
                           record.scale, record.range, record.level, record.source, melody,
                           record.tolerance, historyDecimal(record.durationMs / 1000.0, 1),
                           std::to_string(record.hearPresses),
                           record.finished ? "finished" : "abandoned"});
}

namespace {

// A day's figures while its rows are read.
struct DayTally {
    DrillDay day;
    std::vector<double> secondsToNote;
    std::vector<double> cents;
};

void rank(std::map<int, NoteKindResult>& kinds, std::vector<NoteKindResult>& worst)
{
    for (const auto& [kind, result] : kinds)
        if (result.notes >= kNotesToRank)
            worst.push_back(result);
    std::stable_sort(worst.begin(), worst.end(), [](const auto& a, const auto& b) {
        if (a.firstTryShare() != b.firstTryShare())
            return a.firstTryShare() < b.firstTryShare();
        return a.notes > b.notes;
    });
}

} // namespace

Result<DrillProgress> readDrillProgress(const std::filesystem::path& dataDirectory,
                                        const std::string& firstDate, const std::string& kindsFrom)
{
    auto drills = readHistory(dataDirectory / kDrillsFileName, {"time", "result"});
    if (!drills)
        return drills.status();
    DrillProgress progress;
    progress.damaged = drills->damaged;
    std::map<std::string, DayTally> days;
    for (const auto& row : drills->rows) {
        const std::string date = isoDateOf(row[0]);
        if (date.empty() || (row[1] != "finished" && row[1] != "abandoned")) {
            ++progress.damaged;
            continue;
        }
        if (date < firstDate)
            continue;
        DrillDay& day = days[date].day;
        ++day.drills;
        day.finished += row[1] == "finished";
    }
    std::map<int, NoteKindResult> intervals, degrees;
    std::string validDate; // the last date found valid: its run of rows is not checked again
    std::string tallyDate; // the day `tally` sums
    DayTally* tally = nullptr;
    // A year of notes is a third of a million rows: they are visited, not kept.
    const auto visited = visitHistory(
        dataDirectory / kNotesFileName,
        {"drill_time", "interval", "degree", "accepted", "skipped", "first_try", "ms_to_accept",
         "cents_median"},
        [&](std::span<const std::string_view> row) {
            const std::string_view date =
                row[0].substr(0, std::min<std::size_t>(row[0].size(), 10));
            const auto interval = historyFigure(row[1]), degree = historyFigure(row[2], true),
                       accepted = historyFigure(row[3], true),
                       skipped = historyFigure(row[4], true),
                       firstTry = historyFigure(row[5], true), ms = historyFigure(row[6], true);
            std::optional<double> cents;
            if (!row[7].empty())
                cents = historyFigure(row[7]);
            if (date.empty() || date != validDate) {
                if (isoDateOf(date).empty()) {
                    ++progress.damaged;
                    return;
                }
                validDate = date;
            }
            // An interval spans at most the 48 written notes, and is whole.
            constexpr double widestInterval = 47;
            if (!interval || std::abs(*interval) > widestInterval ||
                *interval != std::floor(*interval) || !degree || *degree > 11 || !accepted ||
                !skipped || !firstTry || !ms || (!row[7].empty() && !cents)) {
                ++progress.damaged;
                return;
            }
            if (*accepted == 0 || *skipped != 0)
                return;
            const bool right = *firstTry != 0;
            if (date >= firstDate) {
                // A day's notes come one after the other: look the day up once for them.
                if (!tally || date != tallyDate) {
                    tallyDate = date;
                    tally = &days[tallyDate];
                }
                ++tally->day.notes;
                tally->day.firstTry += right;
                tally->secondsToNote.push_back(*ms / 1000.0);
                if (cents)
                    tally->cents.push_back(std::abs(*cents));
            }
            if (date >= kindsFrom) {
                const auto count = [right](std::map<int, NoteKindResult>& kinds, int kind) {
                    NoteKindResult& result = kinds[kind];
                    result.kind = kind;
                    ++result.notes;
                    result.firstTry += right;
                };
                if (!row[1].empty()) // the first note of a melody has no interval
                    count(intervals, int(*interval));
                count(degrees, int(*degree));
            }
        });
    if (!visited)
        return visited.status();
    progress.damaged += *visited;
    for (auto& [date, tally] : days) {
        DrillDay day = tally.day;
        day.date = date;
        day.medianSecondsToNote = quantile(tally.secondsToNote, 0.5);
        day.centsNotes = static_cast<int>(tally.cents.size());
        day.centsMedian = quantile(tally.cents, 0.5);
        day.centsLowQuartile = quantile(tally.cents, 0.25);
        day.centsHighQuartile = quantile(tally.cents, 0.75);
        progress.days.push_back(day);
    }
    rank(intervals, progress.intervals);
    rank(degrees, progress.degrees);
    return progress;
}

Status printDrillHistory(const std::filesystem::path& dataDirectory, int days, bool csv, bool notes,
                         std::chrono::system_clock::time_point now, std::ostream& out)
{
    const std::string firstDate = firstDateOfLastDays(days, now);
    if (csv) {
        const auto& columns = notes ? noteColumns() : drillColumns();
        auto table =
            readHistory(dataDirectory / (notes ? kNotesFileName : kDrillsFileName), columns);
        if (!table)
            return table.status();
        writeCsv(*table, columns, firstDate, out);
        return Status::success();
    }
    auto read = readDrillProgress(dataDirectory, firstDate, firstDate);
    if (!read)
        return read.status();
    for (const DrillDay& day : read->days) {
        char line[240];
        std::snprintf(line, sizeof line,
                      "%s  %d drill%s (%d finished)  %d note%s  right at the first try %d%%  "
                      "median %.1f s a note",
                      day.date.c_str(), day.drills, day.drills == 1 ? "" : "s", day.finished,
                      day.notes, day.notes == 1 ? "" : "s", day.firstTryPercent(),
                      day.medianSecondsToNote);
        out << line;
        if (day.centsNotes > 0) {
            std::snprintf(line, sizeof line, "  %.0f cents off (%.0f..%.0f)", day.centsMedian,
                          day.centsLowQuartile, day.centsHighQuartile);
            out << line;
        }
        out << "\n";
    }
    return Status::success();
}
