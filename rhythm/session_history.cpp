#include "rhythm/session_history.h"

#include "history/history_figures.h"
#include "history/local_time.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>

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

const char* inputName(const SessionRecord& record)
{
    if (record.keyboard && record.midi)
        return "key+midi";
    return record.midi ? "midi" : "key";
}

// The start of a row's time within its day: "...T18:00:00..." is 0.75.
double dayFractionOf(const std::string& isoTime)
{
    if (isoTime.size() < 16 || isoTime[10] != 'T')
        return 0;
    const int hours = std::atoi(isoTime.substr(11, 2).c_str());
    const int minutes = std::atoi(isoTime.substr(14, 2).c_str());
    return std::clamp((hours * 60 + minutes) / 1440.0, 0.0, 1.0);
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
        {isoLocalTime(began), historyDecimal(record.durationMs / 1000.0, 1),
         std::to_string(record.tempo), inputName(record), record.metronome ? "on" : "off",
         std::to_string(record.hits), std::to_string(record.onTarget),
         std::to_string(record.onTargetPercent()), std::to_string(t.intervals),
         historyDecimal(t.meanErrorMs, 1), historyDecimal(t.errorSpreadMs, 1),
         historyDecimal(t.meanErrorBeatPercent, 2), historyDecimal(t.errorSpreadBeatPercent, 2),
         historyDecimal(t.driftBpmPerMinute, 2), std::to_string(record.longestRun)});
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
        const auto hits = historyFigure(row[1], true), onTarget = historyFigure(row[2], true),
                   intervals = historyFigure(row[3], true), mean = historyFigure(row[4]),
                   spread = historyFigure(row[5]), drift = historyFigure(row[6]);
        if (date.empty() || !hits || !onTarget || *onTarget > *hits || !intervals || !mean ||
            !spread || !drift) {
            ++result.damaged;
            continue;
        }
        if (date < firstDate)
            continue;
        result.sessions.push_back({date, dayFractionOf(row[0]),
                                   *hits > 0 ? int(*onTarget * 100 / *hits) : 0, *spread, *drift,
                                   long(*intervals)});
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
    const std::string firstDate = firstDateOfLastDays(days, now);
    if (csv) {
        auto table = readHistory(dataDirectory / kSessionsFileName, sessionColumns());
        if (!table)
            return table.status();
        writeCsv(*table, sessionColumns(), firstDate, out);
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
