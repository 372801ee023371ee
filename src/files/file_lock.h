#pragma once
// A lock that keeps a second copy of the game off a file the first one is
// keeping. It is held on a file of its own beside the kept one, since the
// kept file is replaced by a rename at every save; the system lets go of
// it when the process ends, however it ends, so a lock file left behind by
// a kill blocks nothing.

#include <string>

namespace files {

class FileLock {
  public:
    FileLock() = default;
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    // Takes the lock on `path` (created when missing) without waiting.
    // False, with the reason in problem(), when another process holds it or
    // the file cannot be made; `busy()` tells the first case.
    bool acquire(const std::string& path);
    bool busy() const { return heldElsewhere; }
    const std::string& problem() const { return reason; }

  private:
#ifdef _WIN32
    void* handle = nullptr;
#else
    int descriptor = -1;
#endif
    bool heldElsewhere = false;
    std::string reason;
};

} // namespace files
