#include "progress/progress_period.h"

#include "history/history_figures.h"
#include "history/local_time.h"

#include <cmath>
#include <numeric>

chart::Period progressPeriod(int days, std::chrono::system_clock::time_point now)
{
    return {days, firstDateOfLastDays(days, now), isoDateOf(isoLocalTime(now))};
}

std::optional<int> dayInPeriod(const chart::Period& period, const std::string& date)
{
    const std::optional<int> day = daysBetween(period.firstDate, date);
    if (!day || *day < 0 || *day >= period.days)
        return std::nullopt;
    return day;
}

std::string figureWithUnit(double value, int decimals, const std::string& unit)
{
    return historyDecimal(value, decimals) + (unit.empty() ? "" : " " + unit);
}

std::string changeOverPeriod(const std::vector<double>& values, int decimals)
{
    if (values.size() < 2)
        return {};
    const std::size_t half = values.size() / 2;
    const double first = std::accumulate(values.begin(), values.begin() + long(half), 0.0) / half;
    const double second = std::accumulate(values.end() - long(half), values.end(), 0.0) / half;
    const double change = second - first;
    const std::string text = historyDecimal(std::abs(change), decimals);
    if (std::stod(text) == 0)
        return " (=)";
    return std::string(" (") + (change > 0 ? "+" : "-") + text + ")";
}
