// Any bytes as "vox.c20": reading never fails, and what the program writes
// back at exit reads back as the same settings.
#include "drill/settings_file.h"
#include "fuzz/scratch_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto file = writeScratchFile(kSettingsFileName, data, size);
    Settings loaded;
    readSettingsFile(file, loaded);
    // Written over the start of the same file, as at exit: what is left of a
    // longer file after the twentieth line must not change the next reading.
    requireProperty(writeSettingsFile(file, loaded), "the settings file can be written back");
    Settings reloaded;
    readSettingsFile(file, reloaded);
    requireProperty(reloaded == loaded, "settings read back as they were written");
    return 0;
}
