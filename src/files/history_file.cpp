#include "files/history_file.h"

#include "files/native_path.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <utility>

namespace {

std::string lastError() { return std::strerror(errno); }

} // namespace

HistoryFile::HistoryFile(std::string path, std::FILE* opened, std::uint64_t length)
    : where(std::move(path)), file(opened), size(length) {}

std::optional<HistoryFile> HistoryFile::open(const std::string& path, std::string& problem) {
    errno = 0;
    std::FILE* opened = files::openFile(path, "ab");
    if (opened == nullptr) {
        problem = errno != 0 ? lastError() : "cannot be opened for appending";
        return std::nullopt;
    }
    // A device or a pipe has no length of its own: what is appended counts.
    std::error_code error;
    const bool regular = std::filesystem::is_regular_file(files::nativePath(path), error);
    const std::uintmax_t length = regular ? std::filesystem::file_size(files::nativePath(path), error) : 0;
    if (error) {
        std::fclose(opened);
        problem = error.message();
        return std::nullopt;
    }
    return HistoryFile(path, opened, length);
}

void HistoryFile::stop(const std::string& why) {
    failure = why;
    file.reset();
}

bool HistoryFile::append(std::string_view text) {
    if (!file) {
        return false;
    }
    errno = 0;
    const std::size_t written = std::fwrite(text.data(), 1, text.size(), file.get());
    if (written != text.size() || std::fflush(file.get()) != 0) {
        stop(errno != 0 ? lastError() : "a write failed");
        return false;
    }
    size += text.size();
    return true;
}

bool HistoryFile::resumeAt(std::uint64_t at) {
    if (!file) {
        return false;
    }
    std::error_code error;
    const std::uintmax_t actual = std::filesystem::file_size(files::nativePath(where), error);
    if (error) {
        stop(error.message());
        return false;
    }
    if (actual < at) {
        stop("the file is shorter (" + std::to_string(actual) + " bytes) than the game kept (" + std::to_string(at) +
             " bytes)");
        return false;
    }
    // Closed while it is cut, so no buffered byte lands past the new end.
    file.reset();
    std::filesystem::resize_file(files::nativePath(where), at, error);
    if (error) {
        stop(error.message());
        return false;
    }
    errno = 0;
    file.reset(files::openFile(where, "ab"));
    if (!file) {
        stop(errno != 0 ? lastError() : "cannot be opened for appending");
        return false;
    }
    size = at;
    return true;
}
