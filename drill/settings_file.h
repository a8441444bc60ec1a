#pragma once

#include "base/result.h"
#include "drill/settings.h"

#include <filesystem>

// The settings file "vox.c20": twenty lines "key=value", CR LF.
//
// Values are assigned by line position, never by key: line 0 is `autostart`,
// line 1 `cycles`, and so on in the order of writeSettingsFile. Every line
// counts, whatever it holds, so a blank or comment line shifts the values
// after it. The value is the number after the line's last "=" (see
// parseWrappingInt, so 4294967295 reads as -1 and "440Hz" as 440); a line
// without "=" assigns nothing. Only the first 259 characters of a line are
// looked at; lines from number 20 on are ignored.

inline constexpr const char* kSettingsFileName = "vox.c20";
inline constexpr int kSettingsLineCount = 20;

struct SettingsReadResult {
    bool fileOpened = false;
    int linesRead = 0; // lines seen, up to kSettingsLineCount
};

// Reads the file into `settings`. Settings whose lines are absent keep the
// values they had. When the file cannot be opened it is created empty (so
// that the exit can write it) and `settings` is left as it was.
SettingsReadResult readSettingsFile(const std::filesystem::path& file, Settings& settings);

// The twenty lines as written: each value as an unsigned decimal number (so
// -1 becomes 4294967295), the `drilltype` line as "drilltype==", CR LF.
std::string settingsFileText(const Settings& settings);

// Writes settingsFileText over the start of the existing file in one write,
// without creating or truncating it: a longer older file keeps its surplus
// bytes after the twentieth line, which reading ignores. Fails with the reason
// (and writes nothing) when the file does not exist or cannot be opened.
Status writeSettingsFile(const std::filesystem::path& file, const Settings& settings);
