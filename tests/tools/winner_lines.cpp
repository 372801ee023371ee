// Reads what the game sent to its output (standard input here), shows it
// frame by frame on a terminal in memory, and prints the winner line of each
// hand: the prompt line's text each time a frame brings a line that names a
// winner onto it. Two programs that deal the same game print the same lines.
#include "fake/virtual_terminal.h"
#include "game/layout.h"

#include <iostream>
#include <iterator>
#include <string>
#include <string_view>

namespace {

constexpr std::string_view frameEnd = "\x1b[?2026l";
constexpr std::string_view winnerWords = "승리하였습니다!";
// The prompt line between the panels at the table's sides.
constexpr int middleStart = layout::seats[4].panelX + 42;
constexpr int middleEnd = layout::seats[5].panelX;

// The row without the blanks around the line.
std::string trimmed(const std::string& row) {
    const auto first = row.find_first_not_of(' ');
    return first == std::string::npos ? "" : row.substr(first, row.find_last_not_of(' ') - first + 1);
}

} // namespace

int main() {
    const std::string bytes{std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>()};
    fake::VirtualTerminal terminal(layout::consoleColumns, layout::consoleLines);
    bool shown = false;
    std::size_t from = 0;
    while (from < bytes.size()) {
        const std::size_t end = bytes.find(frameEnd, from);
        const std::size_t to = end == std::string::npos ? bytes.size() : end + frameEnd.size();
        terminal.feed(std::string_view(bytes).substr(from, to - from));
        from = to;
        const std::string line = trimmed(terminal.text(middleStart, layout::promptLine.y, middleEnd - middleStart));
        const bool names = line.find(winnerWords) != std::string::npos;
        if (names && !shown) {
            std::cout << line << '\n';
        }
        shown = names;
    }
}
