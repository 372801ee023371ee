#include "platform/posix/terminal_output.h"

#include "platform/console.h"
#include "platform/console_settings.h"
#include "platform/narrow_glyphs.h"
#include "platform/posix/output_costs.h"
#include "platform/text_width.h"

#include <cerrno>
#include <unistd.h>

namespace platform::posix {

namespace {

bool isControl(char32_t c) { return c < 0x20 || c == 0x7F || (c >= 0x80 && c < 0xA0); }

// Sends the text in one write() when the file takes it whole, as a terminal
// does. False when the file is gone.
bool writeAll(int fd, std::string_view text) {
    OutputCosts& costs = outputCosts();
    costs.flushes += text.empty() ? 0 : 1;
    while (!text.empty()) {
        const ssize_t n = ::write(fd, text.data(), text.size());
        ++costs.writeCalls;
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        text.remove_prefix(static_cast<std::size_t>(n));
        costs.bytes += n;
    }
    return true;
}

} // namespace

TerminalOutput::TerminalOutput(int columns, int lines) : grid(columns, lines) {}

void TerminalOutput::moveCursor(int x, int y) {
    if (x < 0 || y < 0 || x > 32767 || y > 32767) {
        return; // a console refuses such a move and leaves the cursor as it is
    }
    wanted.x = x;
    wanted.y = y;
}

void TerminalOutput::setAttribute(int attribute) { wanted.attribute = settings::shownAttribute(attribute); }

void TerminalOutput::syncCursor() {
    if (sent.placed && sent.x == wanted.x && sent.y == wanted.y) {
        return;
    }
    pending += "\x1b[" + std::to_string(wanted.y + 1) + ';' + std::to_string(wanted.x + 1) + 'H';
    sent.x = wanted.x;
    sent.y = wanted.y;
    sent.placed = true;
}

void TerminalOutput::syncAttribute() {
    if (sent.attribute == wanted.attribute) {
        return;
    }
    pending += wanted.attribute == attrRed ? "\x1b[91m" : "\x1b[0m";
    sent.attribute = wanted.attribute;
}

void TerminalOutput::syncForWaiting() {
    if (wanted.visible) {
        syncCursor(); // typed text is echoed where the cursor stands
        syncAttribute();
    }
    if (sent.visible != wanted.visible) {
        pending += wanted.visible ? "\x1b[?25h" : "\x1b[?25l";
        sent.visible = wanted.visible;
    }
}

void TerminalOutput::keepPending() {
    drawingFrom = pending.size();
    sentBeforeDrawing = sent;
}

void TerminalOutput::clear() {
    pending.resize(drawingFrom);
    sent = sentBeforeDrawing;
    pending += "\x1b[2J"; // blanks every cell and leaves the cursor where it is
    wanted.x = 0;
    wanted.y = 0;
    if (recording) {
        grid.clear();
    }
}

void TerminalOutput::advance(int cells) {
    wanted.x += cells;
    sent.x += cells;
    if (sent.x >= terminalColumns) {
        sent.placed = false; // the terminal wraps; where exactly is its own business
    }
}

void TerminalOutput::newLine() {
    syncCursor();
    pending += '\n';
    wanted.x = sent.x = 0;
    ++wanted.y;
    ++sent.y;
}

void TerminalOutput::writeCodePoint(std::string_view bytes, char32_t c) {
    if (c == U'\n') {
        newLine();
        return;
    }
    if (isControl(c)) {
        return; // it would move the cursor behind the output's back
    }
    syncCursor();
    syncAttribute();
    const bool invalidByte = c == 0xFFFD && bytes.size() == 1;
    const std::string_view shown = invalidByte ? std::string_view("?") : bytes;
    const int cells = cellWidth(c);
    pending.append(shown);
    if (glyphsNarrow && isLayoutGlyph(c)) {
        pending.append(fillerAfter(c));
    }
    if (recording) {
        grid.put(wanted.x, wanted.y, shown, cells, wanted.attribute);
    }
    advance(cells);
}

void TerminalOutput::write(std::string_view text) {
    for (std::size_t at = 0; at < text.size();) {
        const CodePoint cp = decodeUtf8(text, at);
        writeCodePoint(text.substr(at, cp.length), cp.value);
        at += cp.length;
    }
}

void TerminalOutput::echoed(std::string_view line) {
    if (!line.empty() && line.back() == '\n') {
        line.remove_suffix(1);
    }
    const std::string shown = sanitizeTyped(line);
    int x = wanted.x;
    for (std::size_t at = 0; at < shown.size();) {
        const CodePoint cp = decodeUtf8(shown, at);
        const int cells = cellWidth(cp.value);
        grid.put(x, wanted.y, std::string_view(shown).substr(at, cp.length), cells, wanted.attribute);
        x += cells;
        at += cp.length;
    }
    wanted.x = sent.x = 0;
    wanted.y = sent.y = wanted.y + 1;
    sent.placed = false; // a long line wrapped, or the screen scrolled
    keepPending();
}

void TerminalOutput::restart(std::string_view setup) {
    pending.assign(setup);
    sent = State{};
    keepPending();
}

void TerminalOutput::notice(const std::vector<std::string>& lines) {
    const State game = wanted;
    recording = false;
    wanted.attribute = attrNormal;
    clear();
    for (std::size_t i = 0; i < lines.size(); ++i) {
        moveCursor(0, static_cast<int>(i));
        write(lines[i]);
    }
    recording = true;
    wanted = game;
}

void TerminalOutput::replayRow(int y) {
    for (int x = 0; x < grid.columns(); ++x) {
        const Cell& c = grid.at(x, y);
        if (c.continuation || c.blank()) {
            continue; // the screen was just cleared: blanks are there already
        }
        if (x + cellWidth(c.text) > terminalColumns) {
            return;
        }
        moveCursor(x, y);
        setAttribute(c.attribute);
        write(c.text);
    }
}

void TerminalOutput::repaint() {
    const State game = wanted;
    recording = false; // the copy stays whole, also where the window cuts it off
    clear();
    for (int row = 0; row < grid.lines() && row < terminalLines; ++row) {
        replayRow(row);
    }
    recording = true;
    wanted = game;
}

std::string TerminalOutput::pendingText() {
    syncForWaiting();
    return pending;
}

bool TerminalOutput::flush(int fd) {
    syncForWaiting();
    const bool sentAll = writeAll(fd, recoder != nullptr ? recoder->toTerminal(pending) : pending);
    pending.clear();
    keepPending();
    return sentAll;
}

} // namespace platform::posix
