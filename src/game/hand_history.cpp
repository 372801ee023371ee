#include "game/hand_history.h"

#include "game/history_text.h"

#include <cstddef>

namespace {

// The street a hand's first deal opens, and the names of the streets.
constexpr int firstStreet = 3;
constexpr const char* streetNames[] = {"3RD", "4TH", "5TH", "6TH", "7TH"};

// The cards of [from, to) that show their face, as "[Ah Td]"; empty when none do.
std::string shownCards(Card* const* cards, int from, int to) {
    std::string text;
    for (int i = from; i < to; ++i) {
        const Card* card = cards[i];
        if (card != nullptr && !card->isFaceDown()) {
            text += (text.empty() ? "" : " ") + cardText(*card);
        }
    }
    return text.empty() ? text : "[" + text + "]";
}

// "" or " (asked N)": what a seat asked to pay, when it had less.
std::string askedText(std::int64_t paid, long long asked) {
    return paid < asked ? " (asked " + std::to_string(asked) + ")" : "";
}

} // namespace

void HandHistory::line(const std::string& text) {
    if (writing()) {
        hand += text;
        hand += '\n';
    }
}

std::string HandHistory::seatLine(int seat) const {
    const Player& player = seatAt(seat);
    return "Seat " + std::to_string(seat) + ": " + player.getName() + " (" + std::to_string(player.getMoney()) + " 원)";
}

void HandHistory::write(const std::string& text) {
    if (writing() && !out->append(text)) {
        failedHand = handNumber;
    }
}

void HandHistory::startHand(std::int64_t number, std::uint32_t seed) {
    handNumber = number;
    street = firstStreet;
    hand.clear();
    for (int seat = 0; seat < seatCount; ++seat) {
        const Player& player = seatAt(seat);
        seen[static_cast<std::size_t>(seat)] = {player.isInHand(), false, false, player.getMoney()};
    }
    if (!writing()) {
        return;
    }
    line("Brannocktide Hand #" + std::to_string(number) + ": 7 Card Stud, seed " + std::to_string(seed) + " - " +
         localTimeText());
    for (int seat = 0; seat < seatCount; ++seat) {
        if (seen[static_cast<std::size_t>(seat)].dealt) {
            line(seatLine(seat));
        }
    }
}

void HandHistory::dealt(int cardsEach) {
    const int name = street - firstStreet;
    ++street;
    if (!writing()) {
        return;
    }
    line(std::string("*** ") + (name >= 0 && name < 5 ? streetNames[name] : "?") + " STREET ***");
    for (int seat = 0; seat < seatCount; ++seat) {
        const Player& player = seatAt(seat);
        if (!player.isInHand()) {
            continue;
        }
        const int split = player.getCardCount() - cardsEach;
        const std::string before = shownCards(player.getCards(), 0, split);
        const std::string now = shownCards(player.getCards(), split, player.getCardCount());
        if (!now.empty()) {
            line("Dealt to " + player.getName() + " " + (before.empty() ? "" : before + " ") + now);
        }
    }
}

std::int64_t HandHistory::paidSince(int seat) {
    SeatFacts& facts = seen[static_cast<std::size_t>(seat)];
    const std::int64_t paid = facts.money - seatAt(seat).getMoney();
    facts.money = seatAt(seat).getMoney();
    facts.paidIn = facts.paidIn || paid > 0;
    return paid;
}

void HandHistory::bets(int seat, long long asked) {
    const std::int64_t paid = paidSince(seat);
    line(seatAt(seat).getName() + ": bets " + std::to_string(paid) + askedText(paid, asked));
}

void HandHistory::raises(int seat, long long asked, long long stake) {
    const std::int64_t paid = paidSince(seat);
    line(seatAt(seat).getName() + ": raises " + std::to_string(paid) + askedText(paid, asked) + " to " +
         std::to_string(stake));
}

void HandHistory::dies(int seat) {
    seen[static_cast<std::size_t>(seat)].folded = true;
    line(seatAt(seat).getName() + ": dies");
}

void HandHistory::passes(int seat) { line(seatAt(seat).getName() + ": passes"); }

void HandHistory::showdown() { line("*** SHOWDOWN ***"); }

void HandHistory::shows(int seat, const std::string& handName) {
    const Player& player = seatAt(seat);
    line(player.getName() + ": shows " + shownCards(player.getCards(), 0, player.getCardCount()) + " (" + handName +
         ")");
}

void HandHistory::collected(const Player& winner, const std::string& winnerLine, std::int64_t pot) {
    line(winnerLine);
    line(winner.getName() + " collected " + std::to_string(pot));
}

void HandHistory::finishHand(std::int64_t pot) {
    line("*** SUMMARY ***");
    line("Total pot " + std::to_string(pot));
    for (int seat = 0; seat < seatCount; ++seat) {
        if (seen[static_cast<std::size_t>(seat)].dealt) {
            line(seatLine(seat));
        }
    }
    line("");
    write(hand);
    hand.clear();
}
