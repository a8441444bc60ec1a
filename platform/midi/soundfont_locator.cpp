#include "platform/midi/soundfont_locator.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <system_error>
#include <vector>

namespace fs = std::filesystem;

namespace {

bool isUsableFile(const fs::path& path)
{
    std::error_code ec;
    return fs::is_regular_file(path, ec); // follows symbolic links; a dangling one fails
}

Result<fs::path> namedFile(const std::string& path, const std::string& origin)
{
    if (isUsableFile(path))
        return fs::path(path);
    return Status::failure(
        "The SoundFont \"" + path + "\" given by " + origin +
        " does not exist or is not a file, so the built-in synthesizer cannot play.");
}

std::vector<fs::path> soundFontsIn(const fs::path& directory)
{
    std::vector<fs::path> found;
    std::error_code ec;
    for (fs::directory_iterator it(directory, ec), end; !ec && it != end; it.increment(ec)) {
        auto extension = it->path().extension().string();
        std::transform(extension.begin(), extension.end(), extension.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        if (extension == ".sf2" && isUsableFile(it->path()))
            found.push_back(it->path());
    }
    std::sort(found.begin(), found.end());
    return found;
}

} // namespace

Result<fs::path> findSoundFont(const SoundFontSearch& search)
{
    if (!search.commandLinePath.empty())
        return namedFile(search.commandLinePath, "--soundfont");
    if (!search.environmentPath.empty())
        return namedFile(search.environmentPath, "SOLFARA_SOUNDFONT");

    auto preferred = search.systemDirectory / "default-GM.sf2";
    if (isUsableFile(preferred))
        return preferred;
    auto others = soundFontsIn(search.systemDirectory);
    if (!others.empty())
        return others.front();

    return Status::failure(
        "No General MIDI SoundFont was found for the built-in synthesizer, so notes cannot "
        "be played. Install one (for example: sudo apt install timgm6mb-soundfont) or start "
        "the program with --soundfont FILE.");
}

SoundFontSearch soundFontSearchFor(const std::string& commandLinePath)
{
    SoundFontSearch search;
    search.commandLinePath = commandLinePath;
    if (const char* variable = std::getenv("SOLFARA_SOUNDFONT"))
        search.environmentPath = variable;
    return search;
}
