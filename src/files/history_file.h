#pragma once
// A text file the game only ever appends to: each piece written whole at the
// end, whatever else writes there too. A game kept in a save marks how far
// the file reached, synced to the disk, so that taking the game up again can
// tell whether the file is still the one it wrote.

#include "files/native_file.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

class HistoryFile {
  public:
    // How far the file reached at a mark: its length, and a checksum of the
    // bytes just before that length.
    struct Mark {
        std::uint64_t length = 0;
        std::uint32_t fingerprint = 0;
        bool operator==(const Mark&) const = default;
    };

    // The file at `path` opened for appending (made when missing): a regular
    // file, or the null device. None, with the reason in `problem`, otherwise.
    static std::optional<HistoryFile> open(const std::string& path, std::string& problem);

    // Writes the text at the end of the file; false once a write has failed,
    // and from then on nothing more is written.
    bool append(std::string_view text);
    // The file synced to the disk, and how far it reaches; none once it failed.
    std::optional<Mark> mark();
    // True when the file still reaches as far as the mark, with the same
    // bytes before it.
    bool reaches(const Mark& mark);
    // The bytes from `at` to the end of the file (at most `most`); false
    // when they cannot be read or are more.
    bool readFrom(std::uint64_t at, std::size_t most, std::string& into);

    bool failed() const { return !failure.empty(); }
    // Why the file stopped taking text; empty while it works.
    const std::string& problem() const { return failure; }
    const std::string& path() const { return where; }

  private:
    HistoryFile(std::string path, files::NativeFile file) : where(std::move(path)), file(std::move(file)) {}
    void stop(const std::string& why);
    // The checksum of the bytes before `length`; false when they cannot be read.
    bool fingerprintAt(std::uint64_t length, std::uint32_t& fingerprint);

    std::string where;
    files::NativeFile file;
    std::string failure;
    // Text appended since the file was last synced.
    bool unsynced = false;
};
