#include "platform/system/data_directory.h"

#include <QFile>

#include <cstdlib>
#include <fstream>
#include <pwd.h>
#include <unistd.h>

namespace {

std::filesystem::path homeDirectory()
{
    if (const char* home = std::getenv("HOME"); home && *home)
        return home;
    if (const passwd* entry = ::getpwuid(::getuid()); entry && entry->pw_dir)
        return entry->pw_dir;
    return std::filesystem::current_path();
}

} // namespace

std::filesystem::path defaultDataDirectory(const std::string& appName)
{
    // The XDG rules ignore a relative XDG_DATA_HOME.
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg && xdg[0] == '/')
        return std::filesystem::path(xdg) / appName;
    return homeDirectory() / ".local" / "share" / appName;
}

Status prepareDataDirectory(const std::filesystem::path& directory)
{
    std::error_code error;
    std::filesystem::create_directories(directory, error);
    if (std::filesystem::is_directory(directory))
        return Status::success();
    std::string reason = error ? error.message() : "it is not a directory";
    return Status::failure("cannot use data directory '" + directory.string() + "': " + reason);
}

void seedDataFile(const std::filesystem::path& directory, const std::string& name,
                  const std::string& resourcePath)
{
    const std::filesystem::path target = directory / name;
    std::error_code error;
    if (std::filesystem::exists(target, error))
        return;
    QFile resource(QString::fromStdString(resourcePath));
    if (!resource.open(QIODevice::ReadOnly))
        return;
    const QByteArray bytes = resource.readAll();
    std::ofstream out(target, std::ios::binary);
    out.write(bytes.constData(), bytes.size());
}
