#include "drill/practice_choices.h"

#include <array>

namespace {

constexpr std::array<std::string_view, 4> toleranceKeywords = {"50", "35", "25", "15"};

} // namespace

std::string_view toleranceKeyword(std::optional<int> cents)
{
    for (std::size_t i = 0; i < toleranceKeywords.size(); ++i)
        if (cents == kToleranceChoices[i])
            return toleranceKeywords[i];
    return "any";
}

bool readToleranceKeyword(std::string_view keyword, std::optional<int>& cents)
{
    if (keyword == "any") {
        cents.reset();
        return true;
    }
    for (std::size_t i = 0; i < toleranceKeywords.size(); ++i)
        if (keyword == toleranceKeywords[i]) {
            cents = kToleranceChoices[i];
            return true;
        }
    return false;
}

std::string_view sightKeyword(SightMode sight)
{
    return sight == SightMode::TonicOnly ? "tonic" : "echo";
}

std::optional<SightMode> sightOfKeyword(std::string_view keyword)
{
    if (keyword == "echo")
        return SightMode::Always;
    if (keyword == "tonic")
        return SightMode::TonicOnly;
    return std::nullopt;
}
