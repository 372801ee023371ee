#include "files/history_file.h"

#include "files/checksum.h"

#include <algorithm>
#include <utility>

namespace {

// The bytes a mark's checksum covers: more than the last hand's text.
constexpr std::uint64_t fingerprintBytes = 4096;

} // namespace

std::optional<HistoryFile> HistoryFile::open(const std::string& path, std::string& problem) {
    files::NativeFile file;
    if (!file.open(path, files::NativeFile::Mode::append)) {
        problem = file.problem();
        return std::nullopt;
    }
    const files::PathKind kind = file.kind();
    if (kind != files::PathKind::regular && kind != files::PathKind::nullDevice) {
        problem = "it is not a regular file";
        return std::nullopt;
    }
    return HistoryFile(path, std::move(file));
}

void HistoryFile::stop(const std::string& why) {
    failure = why;
    file.close();
}

bool HistoryFile::append(std::string_view text) {
    if (failed()) {
        return false;
    }
    if (!file.writeAll(text)) {
        stop(file.problem());
        return false;
    }
    unsynced = unsynced || !text.empty();
    // Written to a file removed under the game, the text would be lost unseen.
    if (file.removed()) {
        stop("the file was removed");
        return false;
    }
    return true;
}

bool HistoryFile::fingerprintAt(std::uint64_t length, std::uint32_t& fingerprint) {
    const std::uint64_t from = length - std::min(length, fingerprintBytes);
    std::string bytes;
    if (!file.readAt(from, static_cast<std::size_t>(length - from), bytes) || bytes.size() != length - from) {
        return false;
    }
    fingerprint = files::crc32(bytes);
    return true;
}

std::optional<HistoryFile::Mark> HistoryFile::mark() {
    Mark at;
    if (failed()) {
        return std::nullopt;
    }
    if (file.kind() == files::PathKind::nullDevice) {
        return at; // nothing is kept, and nothing is lost
    }
    if ((unsynced && !file.sync()) || !file.size(at.length) || !fingerprintAt(at.length, at.fingerprint)) {
        stop(file.problem().empty() ? "it could not be read back" : file.problem());
        return std::nullopt;
    }
    unsynced = false;
    return at;
}

bool HistoryFile::reaches(const Mark& mark) {
    Mark now;
    if (file.kind() == files::PathKind::nullDevice) {
        return mark == now;
    }
    return !failed() && file.size(now.length) && now.length >= mark.length &&
           fingerprintAt(mark.length, now.fingerprint) && now.fingerprint == mark.fingerprint;
}

bool HistoryFile::readFrom(std::uint64_t at, std::size_t most, std::string& into) {
    return !failed() && file.readAt(at, most + 1, into) && into.size() <= most;
}
