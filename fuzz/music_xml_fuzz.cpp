// Any bytes as a MusicXML score: read or refused with a message, never a crash, and whatever
// is read gives melodies that can be saved, and that a score written of them reads back.
#include "fuzz/notation_properties.h"
#include "notation/music_xml.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto score = readMusicXml({reinterpret_cast<const char*>(data), size});
    if (!score) {
        requireProperty(!score.message().empty(), "a refusal says why");
        return 0;
    }
    requireDrillableParts(*score);
    forEachImportedMelody(*score, [](const CustomMelody& melody) {
        const auto again = readMusicXml(musicXmlOf(melody));
        requireProperty(again && again->parts.size() == 1 &&
                            again->parts.front().notes.size() == melody.notes.size(),
                        "a written score reads back with its notes");
    });
    return 0;
}
