#pragma once
// One playing card: its suit and number, where it stands on the table,
// whether its back or its face shows, and the two marks a hand puts on it.

#include <cstdint>

enum Suit : std::int32_t { Clubs = 0, Hearts = 1, Diamonds = 2, Spades = 3 };

class Card {
  public:
    // Every new card lies face down, not dealt, not hidden.
    Card(int x, int y, int suit, int number)
        : suit(suit), number(number), faceDown(1), x(x), y(y), dealt(0), hidden(0) {}

    // The picture's size: seven two-cell glyphs by ten lines.
    static constexpr int pictureCells = 14;
    static constexpr int pictureLines = 10;

    // Draws the 14 × 10 picture at (x, y): the face, or the back filled with "※".
    void draw();
    void flipUp();
    void setPosition(int newX, int newY) {
        x = newX;
        y = newY;
    }
    // Face down, not dealt, not hidden again; stays where it is, draws nothing.
    void reset() {
        faceDown = 1;
        dealt = 0;
        hidden = 0;
    }
    // The number text and the suit glyph at the cursor, red for hearts and
    // diamonds; the attribute is normal again afterwards.
    void drawNumber();
    void drawSuit();

    int getSuit() const { return suit; }
    int getNumber() const { return number; }
    std::uint8_t isHidden() const { return hidden; }
    std::uint8_t isDealt() const { return dealt; }
    void setHidden(std::uint8_t flag) { hidden = flag; }
    void setDealt(std::uint8_t flag) { dealt = flag; }
    bool isFaceDown() const { return faceDown != 0; }
    int getX() const { return x; }
    int getY() const { return y; }

  private:
    std::int32_t suit;
    std::int32_t number;
    std::int32_t faceDown;
    std::int32_t x;
    std::int32_t y;
    std::uint8_t dealt;
    std::uint8_t hidden;
};
