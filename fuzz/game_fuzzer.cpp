// Whole games on the fake console from arbitrary bytes, from the title menu
// on. The first four bytes seed the random generator, and the highest bit of
// the fourth says whether lines are typed at the keyboard (edited on the
// screen) or come whole from a pipe; the rest is what the person presses and
// types, handed out as the game asks for it: one byte for a key, up to the
// next line end for a typed line. When the bytes run out the input ends,
// which ends the game, so every input is a bounded run.
//
// At every wait the table's books must balance; at the end no cursor move
// may have pointed off the grid, the terminal must never have wrapped or
// scrolled, and when every line is short no text may have met the grid's
// right edge either.
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

// Whether text may meet the grid's right edge: only a long name can take a
// line that shows it that far.
bool textMayReachTheEdge(std::string_view bytes) {
    for (std::size_t start = 0; start <= bytes.size();) {
        std::size_t end = bytes.find('\n', start);
        if (end == std::string_view::npos) {
            end = bytes.size();
        }
        if (end - start > shortLine) {
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
    fake::readLinesWhole((data[3] & 0x80) != 0);
    GameTable table(seed);
    fake::Books books(table);
    Keyboard keyboard(keys);
    // Keys typed ahead answer waits without the script running out: the
    // books are checked at every wait all the same.
    fake::atEveryWait([&] { books.atWait(); });
    fake::whenScriptRunsOut([&](fake::Wait wait) {
        fake::terminalWraps(); // the person looks: the terminal shows what was drawn
        return keyboard.next(wait);
    });
    try {
        table.runMenu();
    } catch (const platform::InputClosed&) {
        // The bytes ran out: the game ends here, as the program does.
    }
    fake::whenScriptRunsOut(nullptr);
    fake::atEveryWait(nullptr);

    if (!books.faults().empty()) {
        fail(books.faults().front());
    }
    if (fake::refusedMoves() != 0) {
        fail(std::to_string(fake::refusedMoves()) + " cursor moves off the grid");
    }
    if (fake::terminalWraps() != 0 || fake::terminalScrolls() != 0 || fake::unknownSequences() != 0) {
        fail("the terminal wrapped " + std::to_string(fake::terminalWraps()) + " times, scrolled " +
             std::to_string(fake::terminalScrolls()) + " times, and met " +
             std::to_string(fake::unknownSequences()) + " unknown sequences");
    }
    if (fake::droppedAtEdge() != 0 && !textMayReachTheEdge(keys)) {
        fail("short lines only, yet " + std::to_string(fake::droppedAtEdge()) + " characters met the edge");
    }
    return 0;
}
