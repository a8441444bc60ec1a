#include "history/local_time.h"

#include <cctype>
#include <ctime>
#include <string_view>

std::string isoLocalTime(std::chrono::system_clock::time_point time)
{
    const std::time_t seconds = std::chrono::system_clock::to_time_t(time);
    std::tm local{};
    localtime_r(&seconds, &local);
    char text[40];
    const std::size_t length = std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S%z", &local);
    // strftime gives the offset as +0100; ISO 8601 writes +01:00.
    const std::string_view iso(text, length);
    if (iso.size() < 5)
        return std::string(iso);
    return std::string(iso.substr(0, iso.size() - 2)) + ":" +
           std::string(iso.substr(iso.size() - 2));
}

std::string isoDateOf(std::string_view isoTime)
{
    if (isoTime.size() < 10 || isoTime[4] != '-' || isoTime[7] != '-')
        return {};
    for (int i : {0, 1, 2, 3, 5, 6, 8, 9})
        if (!std::isdigit(static_cast<unsigned char>(isoTime[static_cast<std::size_t>(i)])))
            return {};
    return std::string(isoTime.substr(0, 10));
}

namespace {

std::optional<std::chrono::sys_days> dayOf(const std::string& date)
{
    if (isoDateOf(date) != date)
        return std::nullopt;
    const std::chrono::year_month_day day{
        std::chrono::year(std::stoi(date.substr(0, 4))),
        std::chrono::month(unsigned(std::stoi(date.substr(5, 2)))),
        std::chrono::day(unsigned(std::stoi(date.substr(8, 2))))};
    if (!day.ok())
        return std::nullopt;
    return std::chrono::sys_days(day);
}

} // namespace

std::optional<int> daysBetween(const std::string& from, const std::string& to)
{
    const auto a = dayOf(from), b = dayOf(to);
    if (!a || !b)
        return std::nullopt;
    return static_cast<int>((*b - *a).count());
}
