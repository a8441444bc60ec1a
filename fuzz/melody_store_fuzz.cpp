// Any bytes as a melody file, edited once: the first byte chooses the edit
// (append, replace or remove), the second the line it applies to, the rest is
// the file. Every line the edit does not touch must read back byte for byte,
// and every line read must parse to the melody its name belongs to.
#include "fuzz/scratch_file.h"
#include "music/melody_store.h"

#include <vector>

namespace {

void checkLineParsing(const std::vector<std::string>& lines)
{
    for (const std::string& line : lines) {
        const CustomMelody melody = parseMelodyLine(line);
        requireProperty(melodyLineName(line) == melody.name,
                        "the listed name is the name of the parsed melody");
        if (isWritableMelody(melody))
            requireProperty(parseMelodyLine(formatMelodyLine(melody)) == melody,
                            "a writable melody reads back as written");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2)
        return 0;
    const int edit = data[0] % 3;
    const int k = int(data[1]) - 8; // some lines, and indices before and after them
    MelodyStore store(scratchDirectory(), AnswerMode::Piano); // "mel.ssc"
    writeScratchFile(store.file().filename().string(), data + 2, size - 2);

    const auto before = store.lines();
    requireProperty(before.ok(), "an existing melody file can be read");
    checkLineParsing(*before);
    const CustomMelody melody{"Edited", {60, 64, 67}};
    const bool isLine = k >= 0 && std::size_t(k) < before->size();

    std::vector<std::string> expected = *before;
    if (edit == 0) {
        requireProperty(store.append(melody), "append works");
        expected.push_back("Edited,60,64,67");
    } else if (edit == 1) {
        requireProperty(store.replace(k, melody), "replace works");
        if (isLine)
            expected[std::size_t(k)] = "Edited,60,64,67";
    } else {
        int custMelody = int(data[0] / 3) - 8;
        requireProperty(store.remove(k, custMelody), "remove works");
        if (isLine)
            expected.erase(expected.begin() + k);
        requireProperty(custMelody == 0 ||
                            (custMelody > 0 && std::size_t(custMelody) < expected.size()),
                        "the fixed custom drill names a line, or the first one");
    }
    const auto after = store.lines();
    requireProperty(after.ok(), "the edited file can be read");
    requireProperty(*after == expected, "the edit leaves every other line byte for byte");
    requireProperty(!std::filesystem::exists(scratchDirectory() / "temp"),
                    "no scratch file is left behind");
    return 0;
}
