#include "files/durable_file.h"

#include "files/native_file.h"
#include "files/native_path.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <filesystem>

#ifdef _WIN32
#include "files/windows_api.h"
#else
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace files {

namespace {

// A temporary file's name: the kept file's, this mark, and a fresh tail.
constexpr std::string_view temporaryMark = ".tmp-";
constexpr std::size_t tailLength = 12;
constexpr std::string_view tailLetters = "0123456789abcdefghijklmnopqrstuvwxyz";
constexpr int namingTries = 100;

int processNumber() {
#ifdef _WIN32
    return static_cast<int>(GetCurrentProcessId());
#else
    return static_cast<int>(::getpid());
#endif
}

// A tail no other temporary file is likely to have: the process, a count
// and the clock, mixed. A name that is taken all the same is passed over.
std::string freshTail() {
    static std::atomic<std::uint64_t> count{0};
    std::uint64_t mixed = static_cast<std::uint64_t>(processNumber()) * 0x9E3779B97F4A7C15u ^
                          static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()) ^
                          (++count * 0xBF58476D1CE4E5B9u);
    std::string tail;
    for (std::size_t i = 0; i < tailLength; ++i) {
        tail += tailLetters[mixed % tailLetters.size()];
        mixed /= tailLetters.size();
        mixed ^= mixed << 13;
    }
    return tail;
}

// Makes a new temporary file beside `path`; its name in `name`.
bool createTemporary(const std::string& path, NativeFile& file, std::string& name) {
    for (int attempt = 0;; ++attempt) {
        name = path + std::string(temporaryMark) + freshTail();
        if (file.open(name, NativeFile::Mode::createNew)) {
            return true;
        }
        if (attempt == namingTries || std::filesystem::symlink_status(nativePath(name)).type() ==
                                          std::filesystem::file_type::not_found) {
            return false; // not a name taken: the folder refuses
        }
    }
}

bool ownedHere(const std::filesystem::path& path) {
#ifdef _WIN32
    (void)path;
    return true;
#else
    struct stat status {};
    return ::lstat(path.c_str(), &status) == 0 && status.st_uid == ::geteuid();
#endif
}

} // namespace

ReadResult readWhole(const std::string& path, std::size_t mostBytes) {
    PathKind kind = PathKind::missing;
    std::string problem;
    if (!kindOf(path, kind, problem)) {
        return {std::nullopt, false, problem};
    }
    if (kind == PathKind::missing) {
        return {std::nullopt, true, "no such file"};
    }
    if (kind == PathKind::folder) {
        return {std::nullopt, false, "it is a folder"};
    }
    NativeFile file;
    if (!file.open(path, NativeFile::Mode::read)) {
        return {std::nullopt, false, file.problem()};
    }
    if (file.kind() != PathKind::regular) {
        return {std::nullopt, false, "it is not a regular file"};
    }
    std::string contents;
    if (!file.readAt(0, mostBytes + 1, contents)) {
        return {std::nullopt, false, file.problem()};
    }
    if (contents.size() > mostBytes) {
        return {std::nullopt, false, "it is far too large"};
    }
    return {std::move(contents), false, ""};
}

Outcome replaceDurably(const std::string& path, const std::string& contents) {
    NativeFile temporary;
    std::string name;
    if (!createTemporary(path, temporary, name)) {
        return {temporary.problem()};
    }
    const bool written = temporary.writeAll(contents) && temporary.copyPermissions(path) && temporary.sync();
    Outcome outcome{written ? "" : temporary.problem()};
    temporary.close();
    if (written && renameDurably(name, path, outcome.problem)) {
        return {};
    }
    if (!written || std::filesystem::exists(nativePath(name))) {
        removeFile(name); // the game's own file; `path` was never touched
    }
    return outcome;
}

Outcome tryTemporaryBeside(const std::string& path) {
    NativeFile temporary;
    std::string name;
    if (!createTemporary(path, temporary, name)) {
        return {temporary.problem()};
    }
    temporary.close();
    removeFile(name);
    return {};
}

bool isTemporaryName(std::string_view keptName, std::string_view name) {
    return name.size() == keptName.size() + temporaryMark.size() + tailLength && name.starts_with(keptName) &&
           name.substr(keptName.size()).starts_with(temporaryMark) &&
           name.find_first_not_of(tailLetters, keptName.size() + temporaryMark.size()) == std::string_view::npos;
}

void removeLeftTemporaries(const std::string& path, std::string_view opening) {
    const std::filesystem::path kept = nativePath(path);
    const std::filesystem::path folder = kept.parent_path().empty() ? "." : kept.parent_path();
    const std::string keptName = utf8Path(kept.filename());
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        const std::string name = utf8Path(entry.path().filename());
        std::error_code kindError;
        if (!isTemporaryName(keptName, name) ||
            entry.symlink_status(kindError).type() != std::filesystem::file_type::regular ||
            !ownedHere(entry.path())) {
            continue;
        }
        const std::string fullName = utf8Path(entry.path());
        NativeFile file;
        std::string head;
        // Cut short by the kill, a leftover holds the start of the opening or nothing.
        if (file.open(fullName, NativeFile::Mode::read) && file.kind() == PathKind::regular &&
            file.readAt(0, opening.size(), head) && opening.starts_with(head)) {
            file.close();
            removeFile(fullName);
        }
    }
}

} // namespace files
