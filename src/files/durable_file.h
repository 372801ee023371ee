#pragma once
// Files the game keeps across runs, written so that no crash, kill or power
// cut can leave one half written: the new contents go to a temporary file of
// the game's own beside the old one, reach the disk, and only then take its
// name.

#include <optional>
#include <string>
#include <string_view>

namespace files {

// What a read or a write found wrong, as a few words for a message
// ("No such file or directory"); empty when it went well.
struct Outcome {
    std::string problem;
    bool ok() const { return problem.empty(); }
};

// The whole contents of the regular file at `path`, or nothing with the
// reason. A missing file is told apart, since a first run has none.
struct ReadResult {
    std::optional<std::string> contents;
    bool missing = false;
    std::string problem;
};
ReadResult readWhole(const std::string& path, std::size_t mostBytes);

// Replaces the file at `path` with `contents`: written whole to a temporary
// file made new beside it (nothing already there is opened or followed),
// flushed to the disk, renamed over `path` with the permissions `path` had,
// and the rename itself made durable. On failure `path` is exactly as it was.
Outcome replaceDurably(const std::string& path, const std::string& contents);

// Makes and removes a temporary file beside `path`: whether replacing `path`
// can work at all.
Outcome tryTemporaryBeside(const std::string& path);

// Temporary files beside `path` left by a process that was killed while it
// replaced `path`: regular files of this process's user, named as the
// temporary files are, holding nothing or text that begins with `opening`.
void removeLeftTemporaries(const std::string& path, std::string_view opening);

// True when `name` is a name the temporary files beside a file named
// `keptName` take (both names without their folder).
bool isTemporaryName(std::string_view keptName, std::string_view name);

} // namespace files
