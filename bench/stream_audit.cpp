#include "stream_audit.h"

#include "platform/text_width.h"

#include <algorithm>
#include <cstdlib>
#include <string>

namespace bench {

namespace {

std::size_t sequenceLength(std::string_view stream, std::size_t at) {
    std::size_t end = at + 1;
    if (end < stream.size() && stream[end] == '[') {
        // Parameters and intermediates, then the final byte.
        for (++end; end < stream.size() && !(stream[end] >= 0x40 && stream[end] <= 0x7E); ++end) {
        }
        return std::min(end + 1, stream.size()) - at;
    }
    return std::min<std::size_t>(2, stream.size() - at);
}

constexpr int unknown = -1;

// The terminal as far as the stream tells: nothing is known until a
// sequence sets it.
struct Terminal {
    int x = unknown;
    int y = unknown;
    int colour = unknown;
    int cursorShown = unknown; // 1 shown, 0 hidden
};

class Follower {
  public:
    Follower(bool glyphsNarrow, int columns) : narrow(glyphsNarrow), columns(columns) {}

    void take(std::string_view piece) {
        ++audit.pieces;
        if (piece[0] == '\x1b') {
            ++audit.sequences;
            sequence(piece);
        } else {
            character(piece);
        }
    }

    StreamAudit result() const { return audit; }

  private:
    void sequence(std::string_view s) {
        const char final = s.back();
        const std::string_view params =
            s.size() > 3 ? s.substr(2, s.size() - 3) : std::string_view();
        if (final == 'H' && s[1] == '[') {
            move(params);
        } else if (final == 'G' && s[1] == '[') {
            moveInRow(params);
        } else if (s == "\x1b[?2026h" || s == "\x1b[?2026l") {
            // the marks of a frame change nothing on the screen
        } else if (final == 'm') {
            colour(params == "91" ? 12 : 7);
        } else if (s == "\x1b[?25h" || s == "\x1b[?25l") {
            cursorMode(final == 'h');
        } else if (final != 'J' && final != 'K' && final != 'X') {
            term = Terminal{}; // a question or a screen switch: the cursor is no longer known
        }
    }

    void move(std::string_view params) {
        const std::string text(params);
        const std::size_t semicolon = text.find(';');
        const int row = params.empty() ? 1 : std::atoi(text.c_str());
        const int column =
            semicolon == std::string::npos ? 1 : std::atoi(text.c_str() + semicolon + 1);
        if (term.x == column - 1 && term.y == row - 1) {
            ++audit.idleMoves;
        }
        term.x = column - 1;
        term.y = row - 1;
    }

    void moveInRow(std::string_view params) {
        const int column = params.empty() ? 1 : std::atoi(std::string(params).c_str());
        if (term.x == column - 1 && term.y != unknown) {
            ++audit.idleMoves;
        }
        term.x = column - 1;
    }

    void colour(int attribute) {
        audit.idleAttributes += term.colour == attribute ? 1 : 0;
        term.colour = attribute;
    }

    void cursorMode(bool shown) {
        const int mode = shown ? 1 : 0;
        audit.idleCursorModes += term.cursorShown == mode ? 1 : 0;
        term.cursorShown = mode;
    }

    void character(std::string_view piece) {
        const char32_t c = platform::decodeUtf8(piece, 0).value;
        if (c == U'\n') {
            term.x = 0;
            term.y = term.y == unknown ? unknown : term.y + 1;
        } else if (c == U'\r') {
            term.x = 0;
        } else if (term.x != unknown) {
            const int cells = narrow && platform::isLayoutGlyph(c) ? 1 : platform::cellWidth(c);
            term.x += cells;
            if (term.x >= columns) {
                term.x = unknown; // where the terminal wraps to is its own business
            }
        }
    }

    bool narrow;
    int columns;
    Terminal term;
    StreamAudit audit;
};

} // namespace

std::vector<std::string_view> splitPieces(std::string_view stream) {
    std::vector<std::string_view> pieces;
    for (std::size_t at = 0; at < stream.size();) {
        const std::size_t length = stream[at] == '\x1b' ? sequenceLength(stream, at)
                                                        : platform::decodeUtf8(stream, at).length;
        pieces.push_back(stream.substr(at, length));
        at += length;
    }
    return pieces;
}

StreamAudit auditStream(std::string_view stream, bool glyphsNarrow, int columns) {
    Follower follower(glyphsNarrow, columns);
    for (std::string_view piece : splitPieces(stream)) {
        follower.take(piece);
    }
    return follower.result();
}

} // namespace bench
