// Any bytes as a compressed MusicXML file: unpacked within its limit or refused with a
// message, and the score inside read as any MusicXML file is.
#include "fuzz/notation_properties.h"
#include "notation/compressed_music_xml.h"
#include "notation/music_xml.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    constexpr std::size_t limit = 1 << 20;
    const auto unpacked = musicXmlInArchive({reinterpret_cast<const char*>(data), size}, limit);
    if (!unpacked) {
        requireProperty(!unpacked.message().empty(), "a refusal says why");
        return 0;
    }
    requireProperty(unpacked->size() <= limit, "nothing larger than the limit is unpacked");
    if (const auto score = readMusicXml(*unpacked))
        requireDrillableParts(*score);
    return 0;
}
