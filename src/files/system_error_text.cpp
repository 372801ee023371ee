// The reason behind the last failed system call, for a message line.
#include "files/native_path.h"

#ifdef _WIN32
#include "files/wide_text.h"

#include <string_view>
#else
#include <cerrno>
#include <system_error>
#endif

namespace files {

#ifdef _WIN32
// In the user's language as the system words it, from its UTF-16 text (the
// narrow text would be in the ANSI code page), without the line end and
// the full stop the system closes it with.
std::string lastSystemError() {
    const DWORD error = GetLastError();
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                            FORMAT_MESSAGE_IGNORE_INSERTS,
                                        nullptr, error, 0, reinterpret_cast<LPWSTR>(&text), 0, nullptr);
    std::wstring_view words(text, length);
    while (!words.empty() && (words.back() == L'\r' || words.back() == L'\n' || words.back() == L' ' ||
                              words.back() == L'.')) {
        words.remove_suffix(1);
    }
    std::string reason = words.empty() ? "system error " + std::to_string(error) : utf8Text(words);
    LocalFree(text);
    return reason;
}
#else
std::string lastSystemError() { return std::generic_category().message(errno); }
#endif

} // namespace files
