#include "notation/melody_file_commands.h"

#include "music/melody_store.h"
#include "notation/melody_files.h"

#include <ostream>

namespace {

int failedWith(std::ostream& err, const std::string& why)
{
    err << "solfara: " << why << "\n";
    return 2;
}

MelodyStore storeOf(const std::filesystem::path& dataDir, bool guitar)
{
    return MelodyStore(dataDir, guitar ? AnswerMode::Guitar : AnswerMode::Piano);
}

} // namespace

int importMelodyCommand(const std::filesystem::path& dataDir, const std::filesystem::path& file,
                        std::size_t part, bool guitar, std::ostream& out, std::ostream& err)
{
    const auto score = readNotationFile(file);
    if (!score)
        return failedWith(err, score.message());
    const AnswerMode mode = guitar ? AnswerMode::Guitar : AnswerMode::Piano;
    const auto melodies = melodiesToImport(*score, file, part, mode);
    if (!melodies)
        return failedWith(err, melodies.message());
    MelodyStore store = storeOf(dataDir, guitar);
    const auto before = store.lines();
    std::error_code noFile;
    if (!before && std::filesystem::exists(store.file(), noFile))
        return failedWith(err, before.message());
    if (Status added = store.appendAll(*melodies); !added)
        return failedWith(err, added.message());
    std::size_t line = before ? before->size() : 0;
    for (const CustomMelody& melody : *melodies)
        out << line++ << "\t" << melody.name << "\n";
    return 0;
}

int exportMelodyCommand(const std::filesystem::path& dataDir, int line,
                        const std::filesystem::path& file, bool guitar, std::ostream& err)
{
    const MelodyStore store = storeOf(dataDir, guitar);
    const auto melody = store.load(line);
    if (!melody)
        return failedWith(err, store.file().filename().string() + " has no melody at line " +
                                   std::to_string(line) + ".");
    if (!isWritableMelody(*melody))
        return failedWith(
            err, "Line " + std::to_string(line) + " of " + store.file().filename().string() +
                     " is not a melody that can be exported: " + MelodyStore::unwritableMelodyText);
    if (Status written = writeNotationFile(file, *melody); !written)
        return failedWith(err, written.message());
    return 0;
}
