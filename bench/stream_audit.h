#pragma once
// What a terminal is sent, read back the way the terminal reads it: cut
// into the pieces a writer sending each on its own would send (one escape
// sequence, one character), and checked for sequences that change nothing
// on the screen it is sent to.

#include <string_view>
#include <vector>

namespace bench {

// The pieces of `stream` in order: each escape sequence whole, each UTF-8
// character (or stray byte) alone.
std::vector<std::string_view> splitPieces(std::string_view stream);

struct StreamAudit {
    long long pieces = 0;
    long long sequences = 0;
    // Sequences that would leave the terminal exactly as it was.
    long long idleMoves = 0;       // the cursor sent where it already is
    long long idleAttributes = 0;  // the colour set to the colour in use
    long long idleCursorModes = 0; // the cursor shown when shown, hidden when hidden

    long long idleSequences() const { return idleMoves + idleAttributes + idleCursorModes; }
};

// Follows the terminal through the stream. glyphsNarrow: the terminal draws
// the layout glyphs one cell wide (the writer then pads each with a filler).
StreamAudit auditStream(std::string_view stream, bool glyphsNarrow, int columns = 162);

} // namespace bench
