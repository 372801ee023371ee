#pragma once
// Files the game keeps across runs, written so that no crash, kill or power
// cut can leave one half written: the new contents go to a temporary file
// beside the old one, reach the disk, and only then take its name.

#include <optional>
#include <string>

namespace files {

// What a read or a write found wrong, as a few words for a message
// ("No such file or directory"); empty when it went well.
struct Outcome {
    std::string problem;
    bool ok() const { return problem.empty(); }
};

// The whole contents of the file at `path`, or nothing with the reason. A
// missing file is told apart, since a first run has none.
struct ReadResult {
    std::optional<std::string> contents;
    bool missing = false;
    std::string problem;
};
ReadResult readWhole(const std::string& path, std::size_t mostBytes);

// Replaces the file at `path` with `contents`: written whole to `path`.tmp
// (one left by an earlier kill is replaced), flushed to the disk, renamed
// over `path`, and the rename itself made durable. On failure `path` is
// exactly as it was.
Outcome replaceDurably(const std::string& path, const std::string& contents);

} // namespace files
