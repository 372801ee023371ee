#pragma once
// The game's text is UTF-8; the Windows API speaks UTF-16. Both ways by the
// system's own conversion, which makes an invalid byte or a lone surrogate
// U+FFFD.
#ifdef _WIN32
#include "files/windows_api.h"

#include <string>
#include <string_view>

namespace files {

inline std::wstring wideText(std::string_view utf8) {
    std::wstring wide(utf8.size(), L'\0');
    wide.resize(static_cast<std::size_t>(MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()),
                                                             wide.data(), static_cast<int>(wide.size()))));
    return wide;
}

inline std::string utf8Text(std::wstring_view wide) {
    const int size = static_cast<int>(wide.size());
    std::string utf8(static_cast<std::size_t>(
                         WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr)),
                     '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, utf8.data(), static_cast<int>(utf8.size()), nullptr, nullptr);
    return utf8;
}

} // namespace files
#endif
