#pragma once
// File names come in as UTF-8 text (the command line on POSIX systems, and
// the game's own text everywhere); each system opens them its own way.

#include <filesystem>
#include <string>

namespace files {

inline std::filesystem::path nativePath(const std::string& utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

// A path as the game's UTF-8 text.
inline std::string utf8Path(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

// The reason behind the last failed system call, as the system words it.
std::string lastSystemError();

} // namespace files
