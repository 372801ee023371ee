#include "files/durable_file.h"

#include "files/native_path.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace files {

namespace {

#ifdef _WIN32
// Writes the temporary file whole and makes it reach the disk.
bool writeAndFlush(const std::filesystem::path& path, const std::string& contents) {
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                    nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    std::size_t done = 0;
    bool ok = true;
    while (ok && done < contents.size()) {
        DWORD wrote = 0;
        ok = WriteFile(file, contents.data() + done, static_cast<DWORD>(contents.size() - done), &wrote, nullptr) !=
                 FALSE &&
             wrote > 0;
        done += wrote;
    }
    ok = ok && FlushFileBuffers(file) != FALSE;
    const DWORD error = GetLastError();
    CloseHandle(file);
    SetLastError(error);
    return ok;
}

bool renameDurably(const std::filesystem::path& from, const std::filesystem::path& to) {
    return MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
}
#else
bool writeAndFlush(const std::filesystem::path& path, const std::string& contents) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
        return false;
    }
    std::size_t done = 0;
    bool ok = true;
    while (ok && done < contents.size()) {
        const ssize_t wrote = ::write(fd, contents.data() + done, contents.size() - done);
        if (wrote > 0) {
            done += static_cast<std::size_t>(wrote);
        } else if (wrote == 0 || errno != EINTR) {
            ok = false;
        }
    }
    ok = ok && ::fsync(fd) == 0;
    const int error = errno;
    ::close(fd);
    errno = error;
    return ok;
}

// The rename is made durable by flushing the folder that holds the name.
bool renameDurably(const std::filesystem::path& from, const std::filesystem::path& to) {
    if (::rename(from.c_str(), to.c_str()) != 0) {
        return false;
    }
    std::filesystem::path folder = to.parent_path();
    if (folder.empty()) {
        folder = ".";
    }
    const int fd = ::open(folder.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd); // some file systems cannot flush a folder; the rename stands all the same
        ::close(fd);
    }
    return true;
}
#endif

} // namespace

ReadResult readWhole(const std::string& name, std::size_t mostBytes) {
    const std::filesystem::path path = nativePath(name);
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(path, error);
    if (status.type() == std::filesystem::file_type::not_found) {
        return {std::nullopt, true, "no such file"};
    }
    if (status.type() == std::filesystem::file_type::directory) {
        return {std::nullopt, false, "it is a folder"};
    }
    std::FILE* file = openFile(name, "rb");
    if (file == nullptr) {
        return {std::nullopt, false, lastSystemError()};
    }
    std::string contents;
    char buffer[65536];
    std::size_t got = 0;
    while (contents.size() <= mostBytes && (got = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
        contents.append(buffer, got);
    }
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed) {
        return {std::nullopt, false, "it cannot be read"};
    }
    if (contents.size() > mostBytes) {
        return {std::nullopt, false, "it is far too large"};
    }
    return {std::move(contents), false, ""};
}

Outcome replaceDurably(const std::string& name, const std::string& contents) {
    const std::filesystem::path path = nativePath(name);
    const std::filesystem::path temporary = nativePath(name + ".tmp");
    if (!writeAndFlush(temporary, contents) || !renameDurably(temporary, path)) {
        Outcome failed{lastSystemError()};
        std::error_code ignored;
        std::filesystem::remove(temporary, ignored); // FILE itself was never touched
        return failed;
    }
    return {};
}

} // namespace files
