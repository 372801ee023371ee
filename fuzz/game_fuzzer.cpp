// Whole games on the fake console from arbitrary bytes, from the title menu
// on. The first four bytes seed the random generator; the rest is what the
// person presses and types, handed out as the game asks for it: one byte for
// a key, up to the next line end for a typed line. When the bytes run out
// the input ends, which ends the game, so every input is a bounded run.
//
// At every wait the table's books must balance; at the end no cursor move
// may have pointed off the grid, and when every typed line is short no text
// may have run off the grid either.
#include "fake/books.h"
#include "fake/fake_console.h"
#include "game/game_table.h"
#include "platform/console.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

constexpr std::size_t seedBytes = 4;
// A typed line this wide, or a name cut from it, fits after every prompt and
// in every line that shows the name, the final one with its press-a-key
// prompt included.
constexpr std::size_t shortLine = 40;
// Enough empty lines at the name prompt (which skips them, the echo moving
// down a line each time) to push the echo past the last line.
constexpr int linesToScroll = 20;

class Keyboard {
  public:
    explicit Keyboard(std::string_view bytes) : bytes(bytes) {}

    std::string next(fake::Wait wait) {
        if (at >= bytes.size()) {
            return "";
        }
        std::size_t end = at + 1;
        if (wait == fake::Wait::Line) {
            const std::size_t lineEnd = bytes.find('\n', at);
            end = lineEnd == std::string_view::npos ? bytes.size() : lineEnd + 1;
        }
        const std::string given(bytes.substr(at, end - at));
        at = end;
        return given;
    }

  private:
    std::string_view bytes;
    std::size_t at = 0;
};

bool isBlankLine(std::string_view line) { return line.find_first_not_of(" \t\r\v\f") == std::string_view::npos; }

// Whether the rules let text run on past the grid's edge: only the echo of a
// long line, a long name, or a run of empty lines at the name prompt can.
bool textMayRunOn(std::string_view bytes) {
    int blankLines = 0;
    for (std::size_t start = 0; start <= bytes.size();) {
        std::size_t end = bytes.find('\n', start);
        if (end == std::string_view::npos) {
            end = bytes.size();
        }
        const std::string_view line = bytes.substr(start, end - start);
        blankLines += isBlankLine(line) ? 1 : 0;
        if (line.size() > shortLine || blankLines >= linesToScroll) {
            return true;
        }
        start = end + 1;
    }
    return false;
}

[[noreturn]] void fail(const std::string& what) {
    std::fprintf(stderr, "game fuzzer: %s\n", what.c_str());
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < seedBytes) {
        return 0;
    }
    const unsigned seed = data[0] | data[1] << 8 | data[2] << 16 | static_cast<unsigned>(data[3]) << 24;
    const std::string_view keys(reinterpret_cast<const char*>(data) + seedBytes, size - seedBytes);

    fake::reset();
    std::srand(seed);
    GameTable table;
    fake::Books books(table);
    Keyboard keyboard(keys);
    fake::whenScriptRunsOut([&](fake::Wait wait) {
        books.atWait();
        return keyboard.next(wait);
    });
    try {
        table.runMenu();
    } catch (const platform::InputClosed&) {
        // The bytes ran out: the game ends here, as the program does.
    }
    fake::whenScriptRunsOut(nullptr);

    if (!books.faults().empty()) {
        fail(books.faults().front());
    }
    if (fake::refusedMoves() != 0) {
        fail(std::to_string(fake::refusedMoves()) + " cursor moves off the grid");
    }
    if ((fake::runOffs() != 0 || fake::scrolls() != 0) && !textMayRunOn(keys)) {
        fail("short lines only, yet text ran off the grid " + std::to_string(fake::runOffs()) +
             " times and scrolled it " + std::to_string(fake::scrolls()) + " times");
    }
    return 0;
}
