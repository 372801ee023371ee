#pragma once
// A text file the game appends to as it goes: each piece written whole and
// flushed at once, its length known after every append, and cut back to an
// earlier length when a later piece must be written again. Standard C++ only,
// so it works the same on every system.

#include <cstdint>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

class HistoryFile {
  public:
    // The file opened for appending (created when missing); none, with the
    // reason in `problem`, when it cannot be.
    static std::optional<HistoryFile> open(const std::string& path, std::string& problem);

    // Writes and flushes the text; false once a write has failed, and from
    // then on nothing more is written.
    bool append(std::string_view text);
    // The file's length in bytes after the last append.
    std::uint64_t length() const { return size; }
    // Cuts the file back to `at` bytes and appends from there on; false, with
    // the reason in problem(), when the file is shorter or cannot be cut.
    bool resumeAt(std::uint64_t at);
    bool failed() const { return !failure.empty(); }
    // Why the file stopped taking text; empty while it works.
    const std::string& problem() const { return failure; }
    const std::string& path() const { return where; }

  private:
    struct Closer {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };
    HistoryFile(std::string path, std::FILE* file, std::uint64_t size);
    void stop(const std::string& why);

    std::string where;
    std::unique_ptr<std::FILE, Closer> file;
    std::uint64_t size = 0;
    std::string failure;
};
