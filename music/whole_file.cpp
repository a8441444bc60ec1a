#include "music/whole_file.h"

#include <cerrno>
#include <cstring>
#include <fstream>

namespace {

std::string quoted(const std::filesystem::path& file)
{
    return "\"" + file.string() + "\"";
}

} // namespace

Result<std::string> readWholeFile(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return Status::failure("Cannot open " + quoted(file) + ": " + std::strerror(errno) + ".");
    std::string bytes;
    char block[4096];
    while (true) {
        in.read(block, sizeof block);
        bytes.append(block, static_cast<std::size_t>(in.gcount()));
        if (!in)
            break;
    }
    // End of file sets eof and fail; a read error (a directory, an I/O fault)
    // sets bad, and half a file must never be taken for the whole.
    if (in.bad() || !in.eof())
        return Status::failure("Cannot read " + quoted(file) + " to its end.");
    return bytes;
}

Status replaceWholeFile(const std::filesystem::path& target, const std::filesystem::path& scratch,
                        const std::string& bytes)
{
    std::error_code ignored;
    // A leftover scratch file, or a link by that name, is removed rather than
    // written through: the new bytes must land in a file of our own.
    if (!std::filesystem::is_directory(std::filesystem::symlink_status(scratch, ignored)))
        std::filesystem::remove(scratch, ignored);
    {
        std::ofstream out(scratch, std::ios::binary | std::ios::trunc);
        if (!out)
            return Status::failure("Cannot create " + quoted(scratch) + ": " +
                                   std::strerror(errno) + ".");
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.close();
        if (out.fail()) {
            std::filesystem::remove(scratch, ignored);
            return Status::failure("Cannot write " + quoted(scratch) + ".");
        }
    }
    // The new file keeps the permissions of the one it replaces.
    const auto status = std::filesystem::status(target, ignored);
    if (std::filesystem::exists(status))
        std::filesystem::permissions(scratch, status.permissions(), ignored);

    std::error_code renamed;
    std::filesystem::rename(scratch, target, renamed);
    if (renamed) {
        std::filesystem::remove(scratch, ignored);
        return Status::failure("Cannot replace " + quoted(target) + ": " + renamed.message() + ".");
    }
    return Status::success();
}
