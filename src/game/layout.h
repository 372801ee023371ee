#pragma once
// Every place on the table, worked out once from its size: 80 glyphs (160
// cells) by 40 lines. A place that is a fraction of the width or the height is
// computed in double precision and truncated toward zero, so the table keeps
// its look whatever the fractions come to.

#include "console/screen.h"
#include "players/player.h"

#include <array>

namespace layout {

// A cell column and a line.
struct Place {
    int x;
    int y;
};

inline constexpr int width = 80; // glyphs, two cells each
inline constexpr int height = 40;

constexpr int truncated(double position) { return static_cast<int>(position); }

// The console: the table, a spare glyph column on the right and two spare
// lines below it.
inline constexpr int consoleColumns = width * 2 + 2;
inline constexpr int consoleLines = height + 2;

// The title screen: the title centred here, the menu items 4 lines apart
// below it, and the cursor at a logical column (two cells) beside the first.
inline constexpr Place title{width, truncated(height * 0.4)};
inline constexpr int menuItems = 3;
inline constexpr int menuStep = 4;
inline constexpr int menuCursorColumn = truncated(width * 0.5 - 6);
inline constexpr int menuFirstLine = truncated(height * 0.4 + 4);

// The set-up dialogue's prompts, in the middle of the table.
inline constexpr Place setupPrompt{width, truncated(height * 0.5)};
// The name of the seat whose turn it is, or that is being dealt a card.
inline constexpr Place turnMarker{width + 14, truncated(height * 0.5)};
// The announcement of the last bet.
inline constexpr Place betLine{width + 14, truncated(height * 0.6)};
// The person's prompts, the bounds of a bet, the winner of a hand and the
// winner of the game.
inline constexpr Place promptLine{width, truncated(height * 0.4 - 2)};
// The pot and the stake.
inline constexpr Place potLine{width - 24, truncated(height * 0.5)};
inline constexpr Place stakeLine{width - 24, truncated(height * 0.6)};
// Where the deck lies, face down, and where the shuffle slides its cards.
inline constexpr Place deck{73, 15};

// A seat's panel: its top-left corner, and whether its label stands above or
// below it.
struct SeatPlace {
    int panelX;
    int panelY;
    int labelPlacement;
};

inline constexpr int labelAbove = Player::labelAbove;
inline constexpr int labelBelow = Player::labelBelow;
// The three rows of panels: along the top, at the sides, along the bottom
// (a panel is 12 lines high and ends two lines above the frame's bottom).
inline constexpr int topRow = 1;
inline constexpr int sideRow = truncated(height * 0.35);
inline constexpr int bottomRow = truncated((height - 2) - 12.0);

// By seat: the computers 1 to 3 along the top, 4 and 5 at the left and right
// edges, 6 and the person's seat 0 side by side along the bottom.
inline constexpr std::array<SeatPlace, 7> seats = {{
    {truncated(width * 1.05), bottomRow, labelAbove},
    {truncated(width * 0.2), topRow, labelBelow},
    {truncated(width * 0.75), topRow, labelBelow},
    {truncated(width * 1.3), topRow, labelBelow},
    {2, sideRow, labelBelow},
    {truncated(2 * width - 43.2), sideRow, labelBelow},
    {truncated(width * 0.5), bottomRow, labelAbove},
}};

// The press-a-key prompt after the overall winner: on the free line between
// the bottom row of panels and the frame, from the person's panel's left edge.
inline constexpr Place finalPause{seats[0].panelX, bottomRow + 12};

// While the save fails, the table says so on the same free line, under the
// person's panel.
inline constexpr Place saveNotice{seats[0].panelX + Player::panelCells / 2, finalPause.y};

// What is typed stays in the middle of the table, before the panel of the
// seat on its right (seat 5), whose side runs down the lines of the prompts.
inline constexpr int typingEdge = seats[5].panelX;

// The boxes no text may cover: the frame, the seven panels (drawn for every
// seat, in use or not) and the deck's picture.

constexpr bool inBox(int x, int y, int boxX, int boxY, int cells, int lines) {
    return x >= boxX && x < boxX + cells && y >= boxY && y < boxY + lines;
}

constexpr bool boxCell(int x, int y) {
    const bool frame = (y == 0 || y == height - 1 || x < 2 || x >= 2 * width - 2) && x < 2 * width && y < height;
    bool box = frame || inBox(x, y, deck.x, deck.y, Card::pictureCells, Card::pictureLines);
    for (const SeatPlace& seat : seats) {
        box = box || inBox(x, y, seat.panelX, seat.panelY, Player::panelCells, Player::panelLines);
    }
    return box;
}

// The cells around column `x` of line `y` that no box covers: where a text
// centred there may go.
constexpr screen::Span freeSpan(int x, int y) {
    screen::Span span{x, x};
    while (span.from > 0 && !boxCell(span.from - 1, y)) {
        --span.from;
    }
    while (span.to < consoleColumns && !boxCell(span.to, y)) {
        ++span.to;
    }
    return span;
}
constexpr screen::Span freeSpan(Place place) { return freeSpan(place.x, place.y); }

} // namespace layout
