#include "fuzz/scratch_file.h"

#include "platform/testing/temp_dir.h"

#include <cstdio>
#include <cstdlib>

const std::filesystem::path& scratchDirectory()
{
    static const TempDir directory;
    return directory.path();
}

std::filesystem::path writeScratchFile(const std::string& name, const std::uint8_t* data,
                                       std::size_t size)
{
    const std::filesystem::path file = scratchDirectory() / name;
    std::FILE* out = std::fopen(file.c_str(), "wb");
    if (!out || std::fwrite(data, 1, size, out) != size || std::fclose(out) != 0) {
        std::perror(file.c_str());
        std::abort();
    }
    return file;
}

void reportBrokenProperty(const char* property)
{
    std::fprintf(stderr, "Property broken: %s\n", property);
    std::abort();
}
