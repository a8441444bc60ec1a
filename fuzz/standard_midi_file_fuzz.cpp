// Any bytes as a MIDI file: read or refused with a message, and whatever is read gives
// melodies that can be saved and that a MIDI file written of them gives back note for note.
#include "fuzz/notation_properties.h"
#include "notation/standard_midi_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto score = readStandardMidiFile({reinterpret_cast<const char*>(data), size});
    if (!score) {
        requireProperty(!score.message().empty(), "a refusal says why");
        return 0;
    }
    requireDrillableParts(*score);
    forEachImportedMelody(*score, [](const CustomMelody& melody) {
        const auto again = readStandardMidiFile(standardMidiFileOf(melody));
        requireProperty(again && again->parts.size() == 1, "a written file reads back");
        std::vector<int> keys;
        for (const NotatedNote& n : again->parts.front().notes)
            keys.push_back(n.key);
        requireProperty(keys == melody.notes, "a written file gives back its notes");
    });
    return 0;
}
