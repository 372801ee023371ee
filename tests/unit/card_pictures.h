#pragma once
// The pictures of a few cards as a person sees them on the fake console, line
// by line, and a check that one stands at a given place.

#include "fake/fake_console.h"
#include "platform/text_width.h"

#include <array>
#include <string>

#include <gtest/gtest.h>

namespace pictures {

inline constexpr int cardCells = 14;
inline constexpr int cardLines = 10;
using Picture = std::array<std::string, cardLines>;

inline const Picture tenOfHearts = {
    "┌─────┐",    "│10        │", "│♥        │", "│          │", "│          │",
    "│    ♥    │", "│          │", "│        ♥│", "│        10│", "└─────┘",
};

inline const Picture kingOfClubs = {
    "┌─────┐",    "│K         │", "│♧        │", "│          │", "│          │",
    "│    ♧    │", "│          │", "│        ♧│", "│         K│", "└─────┘",
};

inline const Picture back = {
    "┌─────┐",       "│※※※※※│", "│※※※※※│", "│※※※※※│", "│※※※※※│",
    "│※※※※※│", "│※※※※※│", "│※※※※※│", "│※※※※※│", "└─────┘",
};

// The first `cells` cells of every line of the picture at (x, y).
inline void expectPicture(const Picture& picture, int x, int y, int cells = cardCells) {
    for (int line = 0; line < cardLines; ++line) {
        const std::string& full = picture[static_cast<std::size_t>(line)];
        std::string expected;
        int taken = 0;
        for (std::size_t at = 0; at < full.size() && taken < cells;) {
            const platform::CodePoint cp = platform::decodeUtf8(full, at);
            expected += full.substr(at, cp.length);
            taken += platform::cellWidth(cp.value);
            at += cp.length;
        }
        EXPECT_EQ(fake::text(x, y + line, cells), expected) << "line " << line << "\n" << fake::dump();
    }
}

} // namespace pictures
