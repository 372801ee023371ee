#pragma once
// What every console shows while its window is too small for the table.

#include <string>
#include <vector>

namespace platform {

// The notice's lines: the size needed and the size there is, in cells, and
// how to go on.
inline std::vector<std::string> windowTooSmallNotice(int neededColumns, int neededLines,
                                                     int nowColumns, int nowLines) {
    const auto size = [](int columns, int lines) {
        return std::to_string(columns) + "×" + std::to_string(lines);
    };
    return {"창이 작습니다. 필요한 크기 " + size(neededColumns, neededLines) + ", 지금 " +
                size(nowColumns, nowLines) + ".",
            "창을 키우거나 아무 키나 누르십시오."};
}

} // namespace platform
