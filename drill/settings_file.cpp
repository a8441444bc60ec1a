#include "drill/settings_file.h"

#include "music/number_parse.h"
#include "music/text_lines.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <string_view>

namespace {

struct SettingsLine {
    std::string_view prefix; // the written line up to the value
    std::int32_t Settings::*value;
};

// File order. In the file `miditimbre` comes before `midiVol`.
constexpr SettingsLine kLines[kSettingsLineCount] = {
    {"autostart=", &Settings::autostart},
    {"cycles=", &Settings::cycles},
    {"range=", &Settings::range},
    {"melosize=", &Settings::melosize},
    {"scale=", &Settings::scale},
    {"numScales=", &Settings::numScales},
    {"mode=", &Settings::mode},
    {"level=", &Settings::level},
    {"midi=", &Settings::midi},
    {"miditimbre=", &Settings::miditimbre},
    {"midiVol=", &Settings::midiVol},
    {"micVol=", &Settings::micVol},
    {"micFilter=", &Settings::micFilter},
    {"A=", &Settings::A},
    {"transpose=", &Settings::transpose},
    {"notation=", &Settings::notation},
    {"noteName=", &Settings::noteName},
    {"drilltype==", &Settings::drilltype},
    {"custMelody=", &Settings::custMelody},
    {"shapeNote=", &Settings::shapeNote},
};

constexpr std::size_t kMaxLineKept = 259;

} // namespace

SettingsReadResult readSettingsFile(const std::filesystem::path& file, Settings& settings)
{
    SettingsReadResult result;
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        // Create only: appending never truncates a file that appeared meanwhile.
        std::ofstream create(file, std::ios::binary | std::ios::app);
        return result;
    }
    result.fileOpened = true;
    std::string line;
    while (result.linesRead < kSettingsLineCount && readDataLine(in, line, kMaxLineKept)) {
        const SettingsLine& target = kLines[result.linesRead++];
        std::size_t equals = line.rfind('=');
        if (equals != std::string::npos)
            settings.*target.value = parseWrappingInt(std::string_view(line).substr(equals + 1));
    }
    return result;
}

std::string settingsFileText(const Settings& settings)
{
    std::string text;
    for (const SettingsLine& line : kLines) {
        text += line.prefix;
        text += std::to_string(static_cast<std::uint32_t>(settings.*line.value));
        text += "\r\n";
    }
    return text;
}

Status writeSettingsFile(const std::filesystem::path& file, const Settings& settings)
{
    // in|out opens an existing file for writing at its start without truncating it.
    std::fstream out(file, std::ios::in | std::ios::out | std::ios::binary);
    if (!out)
        return Status::failure("Cannot open \"" + file.string() +
                               "\" for writing: " + std::strerror(errno) + ".");
    const std::string text = settingsFileText(settings);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.close();
    if (out.fail())
        return Status::failure("Cannot write \"" + file.string() + "\".");
    return Status::success();
}
