#include "settings/timbre_names.h"

#include <fstream>

std::vector<std::string> readTimbreNames(const std::filesystem::path& midpatchFile)
{
    std::vector<std::string> names;
    std::ifstream in(midpatchFile, std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.size() > kTimbreNameLength)
            line.resize(kTimbreNameLength);
        names.push_back(line);
    }
    return names;
}
