#include "history/history_figures.h"

#include "history/local_time.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>

std::string historyDecimal(double value, int decimals)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

std::optional<double> historyFigure(std::string_view text, bool count)
{
    if (text.empty())
        return 0.0;
    // from_chars takes no sign "+", which the rows write before a rising interval.
    const bool plus = text[0] == '+' && text.size() > 1 && text[1] != '-';
    const char* first = text.data() + (plus ? 1 : 0);
    const char* last = text.data() + text.size();
    double value = 0;
    const auto [end, error] = std::from_chars(first, last, value);
    if (error != std::errc() || end != last || !std::isfinite(value) ||
        (count && (value < 0 || value > 1e9 || value != std::floor(value))))
        return std::nullopt;
    return value;
}

std::string firstDateOfLastDays(int days, std::chrono::system_clock::time_point now)
{
    if (days <= 0)
        return {};
    return isoDateOf(isoLocalTime(now - std::chrono::hours(24) * (days - 1)));
}

namespace {

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

void writeCsv(const HistoryTable& table, const std::vector<std::string>& columns,
              const std::string& firstDate, std::ostream& out)
{
    for (std::size_t c = 0; c < columns.size(); ++c)
        out << (c ? "," : "") << columns[c];
    out << "\n";
    for (const auto& row : table.rows) {
        if (row.empty() || isoDateOf(row[0]) < firstDate)
            continue;
        for (std::size_t c = 0; c < row.size(); ++c)
            out << (c ? "," : "") << csvField(row[c]);
        out << "\n";
    }
}
