#include "files/native_file.h"

#include "files/native_path.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <filesystem>
#include <system_error>
#include <utility>

#ifdef _WIN32
#include "files/windows_api.h"
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace files {

std::string unusableAsFile(const std::string& path, bool nullDeviceAllowed) {
    PathKind kind = PathKind::missing;
    std::string problem;
    if (!kindOf(path, kind, problem)) {
        return problem;
    }
    if (kind == PathKind::folder) {
        return "it is a folder";
    }
    const bool usable = kind == PathKind::regular || kind == PathKind::missing ||
                        (kind == PathKind::nullDevice && nullDeviceAllowed);
    return usable ? "" : "it is not a regular file";
}

bool sameFile(const std::string& one, const std::string& other) {
    std::error_code error;
    return std::filesystem::equivalent(nativePath(one), nativePath(other), error) && !error;
}

std::string finalTarget(const std::string& path) {
    constexpr int mostLinks = 40;
    std::filesystem::path at = nativePath(path);
    std::error_code error;
    for (int hop = 0; hop < mostLinks && std::filesystem::is_symlink(at, error); ++hop) {
        const std::filesystem::path target = std::filesystem::read_symlink(at, error);
        if (error) {
            break;
        }
        at = target.is_absolute() ? target : at.parent_path() / target;
    }
    return utf8Path(at);
}

std::string placeOf(const std::string& path) {
    std::error_code error;
    const std::filesystem::path place = std::filesystem::weakly_canonical(nativePath(path), error);
    return utf8Path(error ? nativePath(path) : place);
}

NativeFile& NativeFile::operator=(NativeFile&& other) noexcept {
    if (this != &other) {
        close();
#ifdef _WIN32
        handle = std::exchange(other.handle, nullptr);
#else
        descriptor = std::exchange(other.descriptor, -1);
#endif
        reason = std::move(other.reason);
    }
    return *this;
}

bool NativeFile::fail() {
    reason = lastSystemError();
    return false;
}

#ifdef _WIN32

namespace {

// The null device, the one device a history may be written to.
bool isNullDeviceName(const std::string& path) {
    std::string name = path;
    std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return name == "NUL" || name == "\\\\.\\NUL";
}

// A replace refused for a moment by another program that has the file open
// (a virus scanner, the search indexer) is tried again within about a second.
bool heldForAMoment(DWORD error) {
    return error == ERROR_SHARING_VIOLATION || error == ERROR_ACCESS_DENIED || error == ERROR_LOCK_VIOLATION;
}
constexpr int replaceTries = 10;
constexpr DWORD replaceWaitMs = 100;

} // namespace

bool kindOf(const std::string& path, PathKind& kind, std::string& problem) {
    if (isNullDeviceName(path)) {
        kind = PathKind::nullDevice;
        return true;
    }
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(nativePath(path), error);
    switch (status.type()) {
    case std::filesystem::file_type::not_found:
        kind = PathKind::missing;
        return true;
    case std::filesystem::file_type::regular:
        kind = PathKind::regular;
        return true;
    case std::filesystem::file_type::directory:
        kind = PathKind::folder;
        return true;
    case std::filesystem::file_type::none:
        problem = error.message();
        return false;
    default:
        kind = PathKind::other;
        return true;
    }
}

bool NativeFile::open(const std::string& path, Mode mode) {
    close();
    DWORD access = GENERIC_READ;
    DWORD share = FILE_SHARE_READ | FILE_SHARE_WRITE;
    DWORD disposition = OPEN_EXISTING;
    DWORD flags = FILE_ATTRIBUTE_NORMAL;
    if (mode == Mode::append) {
        access = GENERIC_READ | FILE_APPEND_DATA;
        disposition = OPEN_ALWAYS;
    } else if (mode == Mode::createNew) {
        access = GENERIC_WRITE;
        share = 0;
        disposition = CREATE_NEW;
        flags |= FILE_FLAG_OPEN_REPARSE_POINT;
    }
    const HANDLE opened = CreateFileW(nativePath(path).c_str(), access, share, nullptr, disposition, flags, nullptr);
    if (opened == INVALID_HANDLE_VALUE) {
        return fail();
    }
    handle = opened;
    return true;
}

void NativeFile::close() {
    if (handle != nullptr) {
        CloseHandle(static_cast<HANDLE>(handle));
        handle = nullptr;
    }
}

bool NativeFile::writeAll(std::string_view bytes) {
    while (!bytes.empty()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
        DWORD wrote = 0;
        if (WriteFile(static_cast<HANDLE>(handle), bytes.data(), chunk, &wrote, nullptr) == FALSE) {
            return fail();
        }
        if (wrote == 0) {
            reason = "the system wrote nothing";
            return false;
        }
        bytes.remove_prefix(wrote);
    }
    return true;
}

bool NativeFile::sync() { return FlushFileBuffers(static_cast<HANDLE>(handle)) != FALSE || fail(); }

PathKind NativeFile::kind() const {
    switch (GetFileType(static_cast<HANDLE>(handle))) {
    case FILE_TYPE_DISK:
        return PathKind::regular;
    case FILE_TYPE_CHAR:
        return PathKind::nullDevice;
    default:
        return PathKind::other;
    }
}

bool NativeFile::size(std::uint64_t& bytes) {
    LARGE_INTEGER length{};
    if (GetFileSizeEx(static_cast<HANDLE>(handle), &length) == FALSE) {
        return fail();
    }
    bytes = static_cast<std::uint64_t>(length.QuadPart);
    return true;
}

// An open file cannot lose its name on Windows: it is opened without
// FILE_SHARE_DELETE.
bool NativeFile::removed() const { return false; }

bool NativeFile::readAt(std::uint64_t at, std::size_t count, std::string& into) {
    into.clear();
    char buffer[65536];
    while (into.size() < count) {
        OVERLAPPED where{};
        const std::uint64_t offset = at + into.size();
        where.Offset = static_cast<DWORD>(offset);
        where.OffsetHigh = static_cast<DWORD>(offset >> 32);
        DWORD got = 0;
        const DWORD want = static_cast<DWORD>(std::min(sizeof buffer, count - into.size()));
        if (ReadFile(static_cast<HANDLE>(handle), buffer, want, &got, &where) == FALSE) {
            if (GetLastError() == ERROR_HANDLE_EOF) {
                return true;
            }
            return fail();
        }
        if (got == 0) {
            return true;
        }
        into.append(buffer, got);
    }
    return true;
}

// Windows files take their permissions from the folder they are in.
bool NativeFile::copyPermissions(const std::string&) { return true; }

bool renameDurably(const std::string& from, const std::string& to, std::string& problem) {
    for (int attempt = 1;; ++attempt) {
        if (MoveFileExW(nativePath(from).c_str(), nativePath(to).c_str(),
                        MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE) {
            return true;
        }
        const DWORD error = GetLastError();
        if (attempt == replaceTries || !heldForAMoment(error)) {
            SetLastError(error);
            problem = lastSystemError();
            return false;
        }
        Sleep(replaceWaitMs);
    }
}

void removeFile(const std::string& path) { DeleteFileW(nativePath(path).c_str()); }

#else

namespace {

// The device number of the null device, the one device a history may be
// written to.
bool isNullDevice(const struct stat& status) {
    struct stat null {};
    return S_ISCHR(status.st_mode) && ::stat("/dev/null", &null) == 0 && status.st_rdev == null.st_rdev;
}

PathKind kindOfStatus(const struct stat& status) {
    if (S_ISREG(status.st_mode)) {
        return PathKind::regular;
    }
    if (S_ISDIR(status.st_mode)) {
        return PathKind::folder;
    }
    return isNullDevice(status) ? PathKind::nullDevice : PathKind::other;
}

// A folder that cannot flush its entries (some file systems cannot) keeps
// the rename all the same; any other failure is told.
bool syncFolderOf(const std::string& path, std::string& problem) {
    std::filesystem::path folder = nativePath(path).parent_path();
    if (folder.empty()) {
        folder = ".";
    }
    const int fd = ::open(folder.c_str(), O_RDONLY | O_CLOEXEC | O_DIRECTORY);
    if (fd < 0) {
        problem = "the folder could not be opened to flush it: " + lastSystemError();
        return false;
    }
    const bool ok = ::fsync(fd) == 0 || errno == EINVAL || errno == ENOTSUP;
    if (!ok) {
        problem = "the folder could not be flushed: " + lastSystemError();
    }
    ::close(fd);
    return ok;
}

} // namespace

bool kindOf(const std::string& path, PathKind& kind, std::string& problem) {
    struct stat status {};
    if (::stat(path.c_str(), &status) == 0) {
        kind = kindOfStatus(status);
        return true;
    }
    if (errno == ENOENT) {
        kind = PathKind::missing;
        return true;
    }
    problem = lastSystemError();
    return false;
}

bool NativeFile::open(const std::string& path, Mode mode) {
    close();
    // Non-blocking while it opens, so a FIFO in the file's place cannot
    // hold the game up; the file's own kind is checked by the caller.
    int flags = O_CLOEXEC | O_NOCTTY | O_NONBLOCK;
    if (mode == Mode::read) {
        flags |= O_RDONLY;
    } else if (mode == Mode::append) {
        flags |= O_RDWR | O_APPEND | O_CREAT;
    } else {
        flags |= O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW;
    }
    const int fd = ::open(path.c_str(), flags, 0666);
    if (fd < 0) {
        return fail();
    }
    descriptor = fd;
    if (::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0) {
        return fail();
    }
    return true;
}

void NativeFile::close() {
    if (descriptor >= 0) {
        ::close(descriptor);
        descriptor = -1;
    }
}

bool NativeFile::writeAll(std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t wrote = ::write(descriptor, bytes.data(), bytes.size());
        if (wrote < 0 && errno == EINTR) {
            continue;
        }
        if (wrote < 0) {
            return fail();
        }
        if (wrote == 0) {
            reason = "the system wrote nothing";
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(wrote));
    }
    return true;
}

bool NativeFile::sync() { return ::fsync(descriptor) == 0 || fail(); }

PathKind NativeFile::kind() const {
    struct stat status {};
    return ::fstat(descriptor, &status) == 0 ? kindOfStatus(status) : PathKind::other;
}

bool NativeFile::size(std::uint64_t& bytes) {
    struct stat status {};
    if (::fstat(descriptor, &status) != 0) {
        return fail();
    }
    bytes = static_cast<std::uint64_t>(status.st_size);
    return true;
}

bool NativeFile::removed() const {
    struct stat status {};
    return ::fstat(descriptor, &status) == 0 && S_ISREG(status.st_mode) && status.st_nlink == 0;
}

bool NativeFile::readAt(std::uint64_t at, std::size_t count, std::string& into) {
    into.clear();
    char buffer[65536];
    while (into.size() < count) {
        const std::size_t want = std::min(sizeof buffer, count - into.size());
        const ssize_t got = ::pread(descriptor, buffer, want, static_cast<off_t>(at + into.size()));
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            return fail();
        }
        if (got == 0) {
            return true;
        }
        into.append(buffer, static_cast<std::size_t>(got));
    }
    return true;
}

bool NativeFile::copyPermissions(const std::string& model) {
    struct stat status {};
    if (::stat(model.c_str(), &status) != 0) {
        return errno == ENOENT || fail(); // a first save: the file has the usual permissions
    }
    return ::fchmod(descriptor, status.st_mode & 07777) == 0 || fail();
}

bool renameDurably(const std::string& from, const std::string& to, std::string& problem) {
    if (::rename(from.c_str(), to.c_str()) != 0) {
        problem = lastSystemError();
        return false;
    }
    return syncFolderOf(to, problem);
}

void removeFile(const std::string& path) { ::unlink(path.c_str()); }

#endif

} // namespace files
