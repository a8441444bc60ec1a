#include "rhythm/session_history.h"

#include "history/local_time.h"

#include <cmath>
#include <cstdio>
#include <map>
#include <optional>
#include <string_view>

namespace {

constexpr int formatVersion = 1;

// The columns of a session row, in the order written.
const std::vector<std::string>& sessionColumns()
{
    static const std::vector<std::string> columns = {"time",
                                                     "duration_s",
                                                     "tempo",
                                                     "input",
                                                     "metronome",
                                                     "hits",
                                                     "on_target",
                                                     "on_target_percent",
                                                     "intervals",
                                                     "mean_error_ms",
                                                     "error_sd_ms",
                                                     "mean_error_beat_percent",
                                                     "error_sd_beat_percent",
                                                     "drift_bpm_per_min",
                                                     "longest_run"};
    return columns;
}

std::string fixed(double value, int decimals)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

const char* inputName(const SessionRecord& record)
{
    if (record.keyboard && record.midi)
        return "key+midi";
    return record.midi ? "midi" : "key";
}

// A figure of a row: empty is 0; anything else must be a finite number, and
// a count a whole one from 0.
std::optional<double> number(const std::string& text, bool count = false)
{
    if (text.empty())
        return 0.0;
    try {
        std::size_t used = 0;
        const double value = std::stod(text, &used);
        if (used != text.size() || !std::isfinite(value) ||
            (count && (value < 0 || value != std::floor(value))))
            return std::nullopt;
        return value;
    } catch (...) {
        return std::nullopt;
    }
}

std::string csvField(const std::string& value)
{
    if (value.find_first_of(",\"") == std::string::npos)
        return value;
    std::string quoted = "\"";
    for (char c : value)
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + "\"";
}

} // namespace

SessionHistory::SessionHistory(std::filesystem::path dataDirectory)
    : writer_(dataDirectory / kSessionsFileName, formatVersion, sessionColumns())
{
}

Status SessionHistory::append(const SessionRecord& record,
                              std::chrono::system_clock::time_point endedAt)
{
    const auto began = endedAt - std::chrono::milliseconds(record.durationMs);
    const SessionTiming::Summary& t = record.timing;
    return writer_.append(
        {isoLocalTime(began), fixed(record.durationMs / 1000.0, 1), std::to_string(record.tempo),
         inputName(record), record.metronome ? "on" : "off", std::to_string(record.hits),
         std::to_string(record.onTarget), std::to_string(record.onTargetPercent()),
         std::to_string(t.intervals), fixed(t.meanErrorMs, 1), fixed(t.errorSpreadMs, 1),
         fixed(t.meanErrorBeatPercent, 2), fixed(t.errorSpreadBeatPercent, 2),
         fixed(t.driftBpmPerMinute, 2), std::to_string(record.longestRun)});
}

Result<SessionDays> readSessionDays(const std::filesystem::path& dataDirectory,
                                    const std::string& firstDate)
{
    auto table = readHistory(dataDirectory / kSessionsFileName,
                             {"time", "hits", "on_target", "intervals", "mean_error_ms",
                              "error_sd_ms", "drift_bpm_per_min"});
    if (!table)
        return table.status();
    SessionDays result;
    result.damaged = table->damaged;
    std::map<std::string, SessionDay> days;
    for (const auto& row : table->rows) {
        const std::string date = isoDateOf(row[0]);
        const auto hits = number(row[1], true), onTarget = number(row[2], true),
                   intervals = number(row[3], true), mean = number(row[4]), spread = number(row[5]),
                   drift = number(row[6]);
        if (date.empty() || !hits || !onTarget || !intervals || !mean || !spread || !drift ||
            *hits > 1e9 || *intervals > 1e9) {
            ++result.damaged;
            continue;
        }
        if (date < firstDate)
            continue;
        SessionDay& day = days[date];
        day.date = date;
        ++day.sessions;
        day.hits += static_cast<long>(*hits);
        day.onTarget += static_cast<long>(*onTarget);
        day.intervals += static_cast<long>(*intervals);
        day.meanErrorMs += *intervals * *mean;
        day.errorSpreadMs += *intervals * *spread;
        day.driftBpmPerMinute += *intervals * *drift;
    }
    for (auto& [date, day] : days) {
        if (day.intervals > 0) {
            day.meanErrorMs /= day.intervals;
            day.errorSpreadMs /= day.intervals;
            day.driftBpmPerMinute /= day.intervals;
        }
        result.days.push_back(day);
    }
    return result;
}

Status printSessionHistory(const std::filesystem::path& dataDirectory, int days, bool csv,
                           std::chrono::system_clock::time_point now, std::ostream& out)
{
    const std::string firstDate =
        days > 0 ? isoDateOf(isoLocalTime(now - std::chrono::hours(24) * (days - 1))) : "";
    if (csv) {
        auto table = readHistory(dataDirectory / kSessionsFileName, sessionColumns());
        if (!table)
            return table.status();
        const auto& columns = sessionColumns();
        for (std::size_t c = 0; c < columns.size(); ++c)
            out << (c ? "," : "") << columns[c];
        out << "\n";
        for (const auto& row : table->rows) {
            if (isoDateOf(row[0]) < firstDate)
                continue;
            for (std::size_t c = 0; c < row.size(); ++c)
                out << (c ? "," : "") << csvField(row[c]);
            out << "\n";
        }
        return Status::success();
    }
    auto read = readSessionDays(dataDirectory, firstDate);
    if (!read)
        return read.status();
    for (const SessionDay& day : read->days) {
        char line[200];
        std::snprintf(line, sizeof line,
                      "%s  %d session%s  %ld hits  on target %ld%%  timing error %+.1f ms, "
                      "spread %.1f ms  drift %+.2f BPM a minute\n",
                      day.date.c_str(), day.sessions, day.sessions == 1 ? "" : "s", day.hits,
                      day.hits ? day.onTarget * 100 / day.hits : 0L, day.meanErrorMs,
                      day.errorSpreadMs, day.driftBpmPerMinute);
        out << line;
    }
    return Status::success();
}
