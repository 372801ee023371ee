#include "platform/posix/terminal_output.h"

#include "platform/console.h"
#include "platform/text_width.h"

#include <cerrno>
#include <unistd.h>

namespace platform::posix {

namespace {

// After a corner or edge that runs on to the right the filler continues the
// line, so horizontal edges stay unbroken; elsewhere the filler is a blank.
std::string_view fillerAfter(char32_t glyph) {
    const bool runsRight = glyph == U'┌' || glyph == U'└' || glyph == U'─';
    return runsRight ? "─" : " ";
}

} // namespace

void TerminalOutput::moveCursor(int x, int y) {
    if (x < 0 || y < 0 || x > 32767 || y > 32767) {
        return; // a console refuses such a move and leaves the cursor as it is
    }
    if (cursorKnown && x == cursorX && y == cursorY) {
        return;
    }
    pending += "\x1b[" + std::to_string(y + 1) + ';' + std::to_string(x + 1) + 'H';
    cursorX = x;
    cursorY = y;
    cursorKnown = true;
}

void TerminalOutput::setAttribute(int value) {
    if (value == attribute) {
        return;
    }
    pending += value == attrRed ? "\x1b[91m" : "\x1b[0m";
    attribute = value;
}

void TerminalOutput::clear() {
    pending += "\x1b[H\x1b[2J";
    cursorX = 0;
    cursorY = 0;
    cursorKnown = true;
}

void TerminalOutput::advance(int cells) {
    cursorX += cells;
    if (cursorX >= terminalColumns) {
        cursorKnown = false; // the terminal wraps; where exactly is its own business
    }
}

void TerminalOutput::writeCodePoint(std::string_view bytes, char32_t c) {
    if (c == U'\n') {
        pending += '\n';
        cursorX = 0;
        ++cursorY;
        return;
    }
    const bool invalidByte = c == 0xFFFD && bytes.size() == 1;
    pending.append(invalidByte ? std::string_view("?") : bytes);
    if (glyphsNarrow && isLayoutGlyph(c)) {
        pending.append(fillerAfter(c));
    }
    advance(cellWidth(c));
}

void TerminalOutput::write(std::string_view text) {
    for (std::size_t at = 0; at < text.size();) {
        const CodePoint cp = decodeUtf8(text, at);
        writeCodePoint(text.substr(at, cp.length), cp.value);
        at += cp.length;
    }
}

bool TerminalOutput::flush(int fd) {
    std::size_t sent = 0;
    while (sent < pending.size()) {
        const ssize_t n = ::write(fd, pending.data() + sent, pending.size() - sent);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            pending.clear();
            return false;
        }
        sent += static_cast<std::size_t>(n);
    }
    pending.clear();
    return true;
}

} // namespace platform::posix
