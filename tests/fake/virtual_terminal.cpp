#include "fake/virtual_terminal.h"

#include "platform/text_width.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

#ifndef _WIN32
#include <clocale>
#include <cwchar>
#include <locale.h>
#ifdef __APPLE__
#include <xlocale.h> // newlocale and uselocale live here on macOS
#endif
#endif

namespace fake {

namespace {

constexpr std::uint8_t attrNormal = 7;
constexpr std::uint8_t attrRed = 12;

#ifndef _WIN32
locale_t utf8Locale() {
    static const locale_t locale = [] {
        for (const char* name : {"C.UTF-8", "C.utf8", "en_US.UTF-8"}) {
            if (const locale_t l = newlocale(LC_CTYPE_MASK, name, static_cast<locale_t>(nullptr))) {
                return l;
            }
        }
        return static_cast<locale_t>(nullptr);
    }();
    return locale;
}
#endif

int numberAt(std::string_view parameters, std::size_t index, int fallback) {
    std::size_t start = 0;
    for (std::size_t i = 0; i < index; ++i) {
        start = parameters.find(';', start);
        if (start == std::string_view::npos) {
            return fallback;
        }
        ++start;
    }
    const std::string field(parameters.substr(start, parameters.find(';', start) - start));
    return field.empty() ? fallback : std::atoi(field.c_str());
}

} // namespace

int libraryWidth(char32_t c) {
#ifndef _WIN32
    if (const locale_t locale = utf8Locale()) {
        const locale_t previous = uselocale(locale);
        const int width = wcwidth(static_cast<wchar_t>(c));
        uselocale(previous);
        return width;
    }
#endif
    // No C library width to ask (the Windows build of the tests): the
    // game's own count stands in.
    return platform::cellWidth(c);
}

int terminalWidth(char32_t c) {
    if (c >= 0x20 && c < 0x7F) {
        return 1;
    }
    if (platform::isLayoutGlyph(c)) {
        return 2;
    }
    const int width = libraryWidth(c);
    return width < 0 ? 1 : width; // a terminal shows what it does not know in one cell
}

VirtualTerminal::VirtualTerminal(int columns, int lines, std::u32string narrowGlyphs)
    : columns(columns), lines(lines), narrowGlyphs(std::move(narrowGlyphs)),
      cells(static_cast<std::size_t>(columns * lines)) {}

void VirtualTerminal::blankCell(int column, int row) { at(column, row) = Cell{}; }

void VirtualTerminal::breakWide(int column, int row) {
    if (at(column, row).glyph.empty() && column > 0) {
        blankCell(column - 1, row);
    }
    if (column + 1 < columns && at(column + 1, row).glyph.empty()) {
        blankCell(column + 1, row);
    }
}

void VirtualTerminal::lineFeed() {
    if (y + 1 < lines) {
        ++y;
        return;
    }
    ++scrollCount;
    std::move(cells.begin() + columns, cells.end(), cells.begin());
    std::fill(cells.end() - columns, cells.end(), Cell{});
}

void VirtualTerminal::put(std::string_view glyph, int width) {
    if (width == 0) {
        if (x > 0) {
            at(x - 1, y).glyph.append(glyph); // a mark joins the character before it
        }
        return;
    }
    if (wrapPending || x + width > columns) {
        ++wrapCount;
        x = 0;
        lineFeed();
    }
    wrapPending = false;
    for (int i = 0; i < width; ++i) {
        breakWide(x + i, y);
    }
    at(x, y) = Cell{std::string(glyph), attribute};
    if (width == 2) {
        at(x + 1, y) = Cell{"", attribute};
    }
    x += width;
    if (x >= columns) {
        x = columns - 1;
        wrapPending = true;
    }
}

void VirtualTerminal::shiftCells(int by) {
    if (at(x, y).glyph.empty() && x > 0) {
        blankCell(x - 1, y); // cutting a wide glyph in two erases it
        blankCell(x, y);
    }
    const std::vector<Cell> row(cells.begin() + y * columns, cells.begin() + (y + 1) * columns);
    for (int i = x; i < columns; ++i) {
        const int source = i - by;
        const bool inserted = by > 0 ? i < x + by : source >= columns;
        at(i, y) = inserted ? Cell{} : row[static_cast<std::size_t>(source)];
    }
    if (at(x, y).glyph.empty()) {
        blankCell(x, y); // the right half of a glyph whose left half was deleted
    }
    const int lost = columns - by; // the first cell pushed off the edge
    if (by > 0 && lost > x && row[static_cast<std::size_t>(lost)].glyph.empty()) {
        blankCell(columns - 1, y); // a wide glyph pushed half off the edge
    }
}

void VirtualTerminal::setMode(std::string_view parameters, bool on) {
    if (parameters == "?25") {
        cursorShown = on;
    } else if (parameters == "?2026") {
        ++(on ? begun : ended);
    } else if (parameters != "?1049" && parameters != "?2004" && parameters != "?7") {
        ++unknownCount;
    }
}

void VirtualTerminal::selectGraphics(std::string_view parameters) {
    if (parameters.empty() || parameters == "0") {
        attribute = attrNormal;
    } else if (parameters == "91") {
        attribute = attrRed;
    } else {
        ++unknownCount;
    }
}

void VirtualTerminal::controlSequence(std::string_view parameters, char final) {
    wrapPending = false;
    switch (final) {
    case 'H':
        y = std::clamp(numberAt(parameters, 0, 1) - 1, 0, lines - 1);
        x = std::clamp(numberAt(parameters, 1, 1) - 1, 0, columns - 1);
        return;
    case 'G':
        x = std::clamp(numberAt(parameters, 0, 1) - 1, 0, columns - 1);
        return;
    case 'A':
    case 'B':
        y = std::clamp(y + (final == 'B' ? 1 : -1) * numberAt(parameters, 0, 1), 0, lines - 1);
        return;
    case 'C':
    case 'D':
        x = std::clamp(x + (final == 'C' ? 1 : -1) * numberAt(parameters, 0, 1), 0, columns - 1);
        return;
    case '@':
    case 'P':
        shiftCells(final == '@' ? numberAt(parameters, 0, 1) : -numberAt(parameters, 0, 1));
        return;
    case 'J':
        if (parameters == "2") {
            std::fill(cells.begin(), cells.end(), Cell{});
            return;
        }
        break;
    case 'K':
        for (int i = x; i < columns; ++i) {
            blankCell(i, y);
        }
        return;
    case 'X':
        for (int i = x; i < std::min(columns, x + numberAt(parameters, 0, 1)); ++i) {
            blankCell(i, y);
        }
        return;
    case 'm':
        selectGraphics(parameters);
        return;
    case 'h':
    case 'l':
        setMode(parameters, final == 'h');
        return;
    case 't':
    case 'n':
        return; // window size requests and questions: nothing to show
    default:
        break;
    }
    ++unknownCount;
}

// Reads one escape sequence from `at` (the Escape); returns where the next
// byte is.
std::size_t VirtualTerminal::escape(std::string_view bytes, std::size_t at) {
    if (at + 1 >= bytes.size() || bytes[at + 1] != '[') {
        ++unknownCount;
        return at + 1;
    }
    std::size_t end = at + 2;
    while (end < bytes.size() && bytes[end] >= 0x20 && bytes[end] <= 0x3F) {
        ++end;
    }
    if (end >= bytes.size()) {
        ++unknownCount;
        return end;
    }
    controlSequence(bytes.substr(at + 2, end - at - 2), bytes[end]);
    return end + 1;
}

void VirtualTerminal::feed(std::string_view bytes) {
    for (std::size_t at = 0; at < bytes.size();) {
        const char c = bytes[at];
        if (c == '\x1b') {
            at = escape(bytes, at);
            continue;
        }
        if (c == '\a') {
            ++bellCount;
        } else if (c == '\r') {
            x = 0;
            wrapPending = false;
        } else if (c == '\n') {
            wrapPending = false;
            lineFeed();
        } else if (static_cast<unsigned char>(c) >= 0x20) {
            const platform::CodePoint cp = platform::decodeUtf8(bytes, at);
            const bool narrowGlyph =
                platform::isLayoutGlyph(cp.value) && narrowGlyphs.find(cp.value) != std::u32string::npos;
            put(bytes.substr(at, cp.length), narrowGlyph ? 1 : terminalWidth(cp.value));
            at += cp.length;
            continue;
        } else {
            ++unknownCount;
        }
        ++at;
    }
}

std::string VirtualTerminal::row(int row) const { return text(0, row, columns); }

std::string VirtualTerminal::text(int column, int row, int count) const {
    std::string out;
    for (int i = column; i < column + count && i < columns; ++i) {
        out += at(i, row).glyph;
    }
    return out;
}

std::string VirtualTerminal::cell(int column, int row) const { return at(column, row).glyph; }

int VirtualTerminal::attributeAt(int column, int row) const {
    const Cell& c = at(column, row);
    return c.glyph == " " ? attrNormal : c.attribute; // a blank shows no colour
}

} // namespace fake
