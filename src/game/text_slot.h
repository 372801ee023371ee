#pragma once
// One place on the table where texts are shown centred, one after another:
// a prompt and the answer typed behind it, whose turn it is, the last bet,
// a status line. It remembers the cells of what it shows, so whatever
// replaces it, or a wipe, blanks exactly those cells and leaves nothing of
// it behind, shorter or longer, wherever it was centred. A text that would
// reach past the slot's span (into a box beside it) is moved along the line
// until it does not.

#include "game/layout.h"

#include <string>
#include <vector>

class TextSlot {
  public:
    // Cells of the slot's line, from the first, that hold something.
    struct Extent {
        int x;
        int cells;
    };

    explicit TextSlot(layout::Place place, screen::Span within = screen::wholeLine) : where(place), span(within) {}

    // Blanks what the slot shows, then shows the text centred on its place.
    void show(const std::string& text);
    // Cells of the slot's line, starting right behind the text, that now
    // belong to it too: the answer typed after a prompt.
    void holdTyped(int cells);
    // Blanks everything the slot shows.
    void wipe();
    // The screen was cleared: the slot shows nothing, and blanks nothing.
    void forget();

    layout::Place place() const { return where; }
    screen::Span within() const { return span; }
    // The text shown ("" for none), and all the cells the slot holds.
    const std::string& text() const { return shownText; }
    const std::vector<Extent>& held() const { return extents; }

  private:
    layout::Place where;
    screen::Span span;
    std::string shownText;
    std::vector<Extent> extents;
};
