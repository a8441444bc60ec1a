#pragma once

#include "base/result.h"

#include <filesystem>
#include <string>

// The directory that holds the program's data files.
//
// `$XDG_DATA_HOME/<appName>` when XDG_DATA_HOME is set to an absolute path,
// else `~/.local/share/<appName>`.
std::filesystem::path defaultDataDirectory(const std::string& appName);

// Makes sure `directory` exists (creating missing parents). Fails with a
// message for the user when it cannot be made or is not a directory.
Status prepareDataDirectory(const std::filesystem::path& directory);

// Copies the Qt resource `resourcePath` to `directory/name` unless that file
// already exists; an existing file is never overwritten.
void seedDataFile(const std::filesystem::path& directory, const std::string& name,
                  const std::string& resourcePath);
