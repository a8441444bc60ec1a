#include "music/custom_melody.h"

#include "music/number_parse.h"

#include <algorithm>

std::string_view lineText(std::string_view line)
{
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r'))
        line.remove_suffix(1);
    return line;
}

CustomMelody parseMelodyLine(std::string_view line)
{
    line = lineText(line);
    CustomMelody melody;
    bool haveName = false;
    while (!line.empty()) {
        const std::size_t comma = line.find(',');
        const std::string_view field = line.substr(0, comma);
        line = comma == std::string_view::npos ? std::string_view{} : line.substr(comma + 1);
        if (field.empty())
            continue;
        if (!haveName) {
            melody.name = field;
            haveName = true;
        } else {
            melody.notes.push_back(parseWrappingInt(field));
        }
    }
    return melody;
}

std::string melodyLineName(std::string_view line)
{
    line = lineText(line);
    const std::size_t start = line.find_first_not_of(',');
    if (start == std::string_view::npos)
        return {};
    line.remove_prefix(start);
    return std::string(line.substr(0, line.find(',')));
}

bool isWritableMelody(const CustomMelody& melody)
{
    if (melody.name.empty() || melody.name.find_first_of(",\r\n") != std::string::npos)
        return false;
    if (melody.notes.empty() || melody.notes.size() > maxMelodyNotes)
        return false;
    return std::all_of(melody.notes.begin(), melody.notes.end(),
                       [](int key) { return key >= lowestMelodyKey && key <= highestMelodyKey; });
}

std::string formatMelodyLine(const CustomMelody& melody)
{
    std::string line = melody.name;
    for (int key : melody.notes)
        line += ',' + std::to_string(key);
    return line + "\r\r\n";
}
