#pragma once

#include "base/result.h"

#include <filesystem>
#include <string>

// All bytes of a file; fails with the reason when it cannot be opened or read
// to the end.
Result<std::string> readWholeFile(const std::filesystem::path& file);

// Replaces `target` with `bytes` so that it is either wholly the old file or
// wholly the new one: the bytes go completely into `scratch` first, which is
// then renamed over `target`. On any failure `target` is left as it was,
// `scratch` is removed and the reason is returned.
Status replaceWholeFile(const std::filesystem::path& target, const std::filesystem::path& scratch,
                        const std::string& bytes);
