#pragma once
// Hands written as text for the tests: cards as number and suit initial
// ("2C", "10H", "KS", "AD"; C clubs, H hearts, D diamonds, S spades),
// separated by blanks; a leading '*' marks a hole card the other seats
// cannot see. The cards live as long as the HandText.

#include "cards/card.h"

#include <array>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

class HandText {
  public:
    explicit HandText(std::string_view text) {
        std::istringstream words{std::string(text)};
        std::string word;
        while (words >> word) {
            add(word);
        }
    }

    // The seven card slots as a seat holds them, null after the last card.
    Card* const* slots() const { return cardSlots.data(); }
    const std::vector<std::unique_ptr<Card>>& cards() const { return owned; }

  private:
    void add(std::string word) {
        const bool hole = word.front() == '*';
        if (hole) {
            word.erase(0, 1);
        }
        if (word.size() < 2 || owned.size() == cardSlots.size()) {
            throw std::invalid_argument("bad hand text: " + word);
        }
        const std::string number = word.substr(0, word.size() - 1);
        auto card = std::make_unique<Card>(0, 0, suitOf(word.back()), numberOf(number));
        card->setHidden(hole ? 1 : 0);
        cardSlots[owned.size()] = card.get();
        owned.push_back(std::move(card));
    }

    static int suitOf(char initial) {
        const std::string_view initials = "CHDS";
        const auto suit = initials.find(initial);
        if (suit == std::string_view::npos) {
            throw std::invalid_argument(std::string("bad suit: ") + initial);
        }
        return static_cast<int>(suit);
    }

    static int numberOf(const std::string& text) {
        const std::string_view faces = "JQKA";
        if (text.size() == 1 && faces.find(text[0]) != std::string_view::npos) {
            return 11 + static_cast<int>(faces.find(text[0]));
        }
        const int number = std::stoi(text);
        if (number < 2 || number > 10) {
            throw std::invalid_argument("bad number: " + text);
        }
        return number;
    }

    std::vector<std::unique_ptr<Card>> owned;
    std::array<Card*, 7> cardSlots{};
};
