#pragma once
// File names come in as UTF-8 text (the command line on POSIX systems, and
// the game's own text everywhere); each system opens them its own way.

#include <cstdio>
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

// std::fopen for a UTF-8 name: on Windows the narrow fopen would read the
// name in the ANSI code page.
inline std::FILE* openFile(const std::string& utf8, const char* mode) {
#ifdef _WIN32
    const std::wstring wideMode(mode, mode + std::char_traits<char>::length(mode));
    return _wfopen(nativePath(utf8).c_str(), wideMode.c_str());
#else
    return std::fopen(utf8.c_str(), mode);
#endif
}

// The reason behind the last failed system call, as the system words it.
std::string lastSystemError();

} // namespace files
