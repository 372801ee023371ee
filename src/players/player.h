#pragma once
// One seat at the table: where its panel stands, its name, the cards it holds
// this hand, its money, and whether it is in this hand and in this game.

#include "cards/card.h"
#include "console/screen.h"

#include <array>
#include <cstdint>
#include <string>

// Numbers the computers' names; the table set-up starts it at 1.
extern std::int32_t computerCounter;

class Player {
  public:
    static constexpr std::int32_t startMoney = 1000000;
    static constexpr int maxCards = 7;
    // The panel's box on the table, in cells and lines.
    static constexpr int panelCells = 42;
    static constexpr int panelLines = 12;
    // A name takes at most this many cells (five Hangul syllables), so that
    // it fits every place on the table that shows it.
    static constexpr int maxNameCells = 10;
    // Where the label stands: on the line above the panel or below it; any
    // other placement has no label.
    static constexpr int labelAbove = 0;
    static constexpr int labelBelow = 1;

    Player(int panelX, int panelY, int isComputer, int labelPlacement);

    Card* const* getCards() const { return handCards.data(); }
    int getMoney() const { return money; }
    std::string getName() const { return name; }
    bool isInHand() const { return inHand != 0; }
    void setInHand(bool value);
    void setSeated(bool value) { seated = value ? 1 : 0; }
    bool isSeated() const { return seated != 0; }
    int getCardCount() const { return cardCount; }
    int getPanelX() const { return panelX; }
    int getPanelY() const { return panelY; }
    void resetMoney() { money = startMoney; }
    void addMoney(int amount) { money += amount; }
    // Takes the amount, at most the whole balance; returns what was taken.
    int pay(int amount);
    // One word typed by the person becomes the seat's name, cut after
    // maxNameCells cells when it came longer (from a pipe or a file).
    void readName();
    // A saved game's seat takes back the name it had.
    void setName(const std::string& value) { name = value; }

    void receiveCard(Card* card);
    void flipUpAll();
    void flipUpLast();
    void clearHand();

    // The panel: its box (filled when the seat is out of the hand) and, for a
    // seat in use, its label.
    void drawPanel();
    // The box alone, for a seat whose label is not to show yet.
    void drawBox();
    void drawLabel();
    // Wipes the label as it was last drawn, whatever the name and money are
    // now: a label drawn before a payment is wiped whole after it.
    void eraseLabel();
    // The screen was cleared: no label shows, and none is wiped.
    void forgetLabel() { labelShown.clear(); }
    // The label as it stands on the table ("" when none is drawn), and its
    // line and centre column (false when the seat has no label).
    const std::string& shownLabel() const { return labelShown; }
    bool labelPlace(int& x, int& y) const;
    // The cells of the label's line it may take: the label moves along the
    // line rather than cover a box beside it.
    void keepLabelWithin(screen::Span span) { labelSpan = span; }
    screen::Span labelWithin() const { return labelSpan; }

  private:
    std::string labelText() const;

    std::array<Card*, maxCards> handCards{};
    std::int32_t labelPlacement;
    std::int32_t isComputer;
    std::int32_t panelX;
    std::int32_t panelY;
    std::string name;
    std::uint8_t inHand;
    std::int32_t cardCount;
    std::int32_t money;
    std::uint8_t seated;
    std::string labelShown;
    screen::Span labelSpan = screen::wholeLine;
};
