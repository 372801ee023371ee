#pragma once
// One open file as the system holds it (a descriptor, or a handle on
// Windows): the few operations the save and the history need, each telling
// why it failed in the system's words. No open waits on a FIFO, and a file
// made new never follows a link.

#include <cstdint>
#include <string>
#include <string_view>

namespace files {

// What a path names, looked at without opening it.
enum class PathKind { missing, regular, folder, nullDevice, other };
// The kind of `path` (links followed); false, with the reason, when the
// system cannot tell (a folder on the way that may not be read).
bool kindOf(const std::string& path, PathKind& kind, std::string& problem);
// Why the game cannot keep a file at `path`: a folder, a FIFO, socket or
// device (the null device may be allowed), or what the system said; empty
// for a regular file or none yet.
std::string unusableAsFile(const std::string& path, bool nullDeviceAllowed);
// True when both paths name one existing file, by whatever names.
bool sameFile(const std::string& one, const std::string& other);
// The path a chain of links at `path` ends in (the path itself when it is
// no link): the file that writing through `path` would change.
std::string finalTarget(const std::string& path);
// The folder and name `path` stands for, with every link and "." and ".."
// in its folders resolved, as far as they exist: two paths to one place
// give the same text.
std::string placeOf(const std::string& path);

class NativeFile {
  public:
    enum class Mode {
        read,
        // Appends only; made when missing.
        append,
        // A new file, made here: fails when anything, a link too, has the name.
        createNew,
    };

    NativeFile() = default;
    ~NativeFile() { close(); }
    NativeFile(NativeFile&& other) noexcept { *this = static_cast<NativeFile&&>(other); }
    NativeFile& operator=(NativeFile&& other) noexcept;
    NativeFile(const NativeFile&) = delete;
    NativeFile& operator=(const NativeFile&) = delete;

    // Opens `path` (UTF-8); false, with the reason in problem(), when it cannot be.
    bool open(const std::string& path, Mode mode);
    void close();

    // Writes all of `bytes`; false with the reason when any part failed.
    bool writeAll(std::string_view bytes);
    // Makes what was written reach the disk.
    bool sync();
    // What the open file is.
    PathKind kind() const;
    // The file's size in bytes.
    bool size(std::uint64_t& bytes);
    // True once the file has no name left in any folder (it was removed
    // while open, so what is written to it is lost).
    bool removed() const;
    // Reads from byte `at` up to `count` bytes, fewer at the end of the file.
    bool readAt(std::uint64_t at, std::size_t count, std::string& into);
    // Gives the file the permission bits of the file at `model`.
    bool copyPermissions(const std::string& model);

    const std::string& problem() const { return reason; }

  private:
    // Records the system's reason for the failure just met; false.
    bool fail();

#ifdef _WIN32
    void* handle = nullptr;
#else
    int descriptor = -1;
#endif
    std::string reason;
};

// Gives `from` the name `to` (replacing a file there) and makes the rename
// itself durable; false with the reason.
bool renameDurably(const std::string& from, const std::string& to, std::string& problem);
// Removes a file the game made itself.
void removeFile(const std::string& path);

} // namespace files
