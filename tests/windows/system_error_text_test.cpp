// The reason a failed system call gives reads as words on one line: the
// system's text without its line end, in UTF-8.
#include "files/native_path.h"

#include <windows.h>

#include <gtest/gtest.h>

TEST(SystemErrorText, OneLineOfWordsWithoutTheClosingStop) {
    for (const DWORD error : {ERROR_FILE_NOT_FOUND, ERROR_ACCESS_DENIED, ERROR_LOCK_VIOLATION}) {
        SetLastError(error);
        const std::string reason = files::lastSystemError();
        EXPECT_FALSE(reason.empty()) << error;
        EXPECT_EQ(reason.find_first_of("\r\n"), std::string::npos) << reason;
        EXPECT_NE(reason.back(), '.') << reason;
        EXPECT_NE(reason.back(), ' ') << reason;
    }
}
