// Any bytes as "scales.cnl", with the first byte as the `numScales` setting:
// loading never fails, keeps the list within its bounds, and once the list
// has been saved it reads back exactly.
#include "fuzz/scratch_file.h"
#include "music/scale_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    // -28..227: below, inside and above kBuiltInScaleCount..kMaxScales.
    const int numScales = int(data[0]) - 28;
    const auto file = writeScratchFile(kScaleFileName, data + 1, size - 1);

    const ScaleList loaded = loadScales(file, numScales);
    requireProperty(loaded.size() >= std::size_t(kBuiltInScaleCount) &&
                        loaded.size() <= std::size_t(kMaxScales),
                    "the list holds 14 to 99 scales");
    for (const ScaleRecord& scale : loaded)
        requireProperty(scale.name.size() <= kScaleNameLength, "names fit the record");

    requireProperty(saveScales(file, loaded), "the scale file can be written back");
    const ScaleList saved = loadScales(file, int(loaded.size()));
    requireProperty(saved.size() == loaded.size(), "saving keeps the number of scales");
    for (std::size_t i = 0; i < saved.size(); ++i)
        requireProperty(saved[i].mask == loaded[i].mask, "saving keeps every mask");

    requireProperty(saveScales(file, saved), "the scale file can be written again");
    requireProperty(loadScales(file, int(saved.size())) == saved,
                    "a saved list reads back exactly");
    return 0;
}
