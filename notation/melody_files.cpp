#include "notation/melody_files.h"

#include "music/melody_import.h"
#include "music/whole_file.h"
#include "notation/compressed_music_xml.h"
#include "notation/music_xml.h"
#include "notation/standard_midi_file.h"

#include <algorithm>
#include <cctype>
#include <system_error>

namespace {

std::string lowerCase(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

Result<NotatedScore> failed(const std::filesystem::path& file, const std::string& why)
{
    return Result<NotatedScore>::failure(file.filename().string() + ": " + why);
}

const char* const kUnknownExtension =
    "the file name must end in .musicxml, .xml, .mxl, .mid or .midi";

// The score in a file's bytes, read as its format says.
Result<NotatedScore> scoreIn(NotationFormat format, const std::string& bytes)
{
    switch (format) {
    case NotationFormat::MusicXml:
        return readMusicXml(bytes);
    case NotationFormat::CompressedMusicXml: {
        const auto unpacked = musicXmlInArchive(bytes, kMaxNotationFileBytes);
        if (!unpacked)
            return unpacked.status();
        return readMusicXml(*unpacked);
    }
    case NotationFormat::Midi:
        return readStandardMidiFile(bytes);
    }
    return Result<NotatedScore>::failure("unknown format");
}

} // namespace

std::optional<NotationFormat> notationFormatOf(const std::filesystem::path& file)
{
    const std::string extension = lowerCase(file.extension().string());
    if (extension == ".musicxml" || extension == ".xml")
        return NotationFormat::MusicXml;
    if (extension == ".mxl")
        return NotationFormat::CompressedMusicXml;
    if (extension == ".mid" || extension == ".midi")
        return NotationFormat::Midi;
    return std::nullopt;
}

Result<NotatedScore> readNotationFile(const std::filesystem::path& file)
{
    const auto format = notationFormatOf(file);
    if (!format)
        return failed(file, kUnknownExtension);
    std::error_code error;
    const auto size = std::filesystem::file_size(file, error);
    if (!error && size > kMaxNotationFileBytes)
        return failed(file, "the file is larger than 32 MB");
    const auto bytes = readWholeFile(file);
    if (!bytes)
        return bytes.status();
    if (bytes->size() > kMaxNotationFileBytes) // it grew while being read
        return failed(file, "the file is larger than 32 MB");
    auto score = scoreIn(*format, *bytes);
    if (!score)
        return failed(file, score.message());
    return score;
}

Result<std::vector<CustomMelody>> melodiesToImport(const NotatedScore& score,
                                                   const std::filesystem::path& file,
                                                   std::size_t part, AnswerMode mode)
{
    if (part >= score.parts.size())
        return Result<std::vector<CustomMelody>>::failure(
            file.filename().string() + ": there is no part " + std::to_string(part + 1) +
            "; the file has " + std::to_string(score.parts.size()) + ".");
    const std::string title =
        importedMelodyTitle(score, file.stem().string(), mode == AnswerMode::Guitar);
    auto melodies = melodiesOfPart(score.parts[part], title);
    if (!melodies)
        return Result<std::vector<CustomMelody>>::failure(file.filename().string() + ": " +
                                                          melodies.message());
    return melodies;
}

Status writeNotationFile(const std::filesystem::path& file, const CustomMelody& melody)
{
    const auto format = notationFormatOf(file);
    if (!format)
        return Status::failure(file.filename().string() + ": " + kUnknownExtension + ".");
    std::string bytes;
    switch (*format) {
    case NotationFormat::MusicXml:
        bytes = musicXmlOf(melody);
        break;
    case NotationFormat::CompressedMusicXml: {
        auto archive = archiveOfMusicXml(musicXmlOf(melody));
        if (!archive)
            return archive.status();
        bytes = std::move(*archive);
        break;
    }
    case NotationFormat::Midi:
        bytes = standardMidiFileOf(melody);
        break;
    }
    std::filesystem::path scratch = file;
    scratch += ".part";
    return replaceWholeFile(file, scratch, bytes);
}
