#include "files/file_lock.h"

#include "files/native_path.h"

#include <cerrno>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace files {

#ifdef _WIN32
// The lock is let go before the handle closes: the system frees a lock
// left on a closed handle only when it gets round to it, and a game started
// again at once would find the save still locked.
FileLock::~FileLock() {
    if (handle != nullptr) {
        OVERLAPPED whole{};
        UnlockFileEx(static_cast<HANDLE>(handle), 0, 1, 0, &whole);
        CloseHandle(static_cast<HANDLE>(handle));
    }
}

bool FileLock::acquire(const std::string& name) {
    const HANDLE file =
        CreateFileW(nativePath(name).c_str(), GENERIC_READ | GENERIC_WRITE,
                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                    nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        reason = lastSystemError();
        return false;
    }
    OVERLAPPED whole{};
    if (LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &whole) == FALSE) {
        heldElsewhere = GetLastError() == ERROR_LOCK_VIOLATION;
        reason = lastSystemError();
        CloseHandle(file);
        return false;
    }
    handle = file;
    return true;
}
#else
FileLock::~FileLock() {
    if (descriptor >= 0) {
        ::close(descriptor); // the lock goes with the descriptor
    }
}

bool FileLock::acquire(const std::string& name) {
    // Never through a link, and never waiting on a FIFO in its place.
    const int fd = ::open(nativePath(name).c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0644);
    if (fd < 0) {
        reason = lastSystemError();
        return false;
    }
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        reason = "it is not a regular file";
        ::close(fd);
        return false;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        heldElsewhere = errno == EWOULDBLOCK;
        reason = lastSystemError();
        ::close(fd);
        return false;
    }
    descriptor = fd;
    return true;
}
#endif

} // namespace files
