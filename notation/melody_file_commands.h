#pragma once

#include <cstddef>
#include <filesystem>
#include <iosfwd>

// The command-line forms of import and export, for `solfara --import-melody` and
// `--export-melody`. Each returns the exit code: 0 when it worked, 2 with one line on `err`
// saying why when it did not (and then no file has changed).

// Appends the melodies of part `part` (0-based) of `file` to the melody file in `dataDir`
// ("mel2.ssc" when `guitar`, else "mel.ssc"); prints "<line index>\t<name>" for each.
int importMelodyCommand(const std::filesystem::path& dataDir, const std::filesystem::path& file,
                        std::size_t part, bool guitar, std::ostream& out, std::ostream& err);

// Writes line `line` of the melody file in `dataDir` to `file`, in the format of its
// extension.
int exportMelodyCommand(const std::filesystem::path& dataDir, int line,
                        const std::filesystem::path& file, bool guitar, std::ostream& err);
