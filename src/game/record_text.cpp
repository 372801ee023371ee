// The game's record as the history tells it: the layout poker hand
// histories use, written a hand at a time once its pot is paid.
#include "eval/hand_labels.h"
#include "eval/winner_line.h"
#include "game/game_record.h"
#include "game/history_text.h"

#include <cstddef>
#include <cstdio>

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

// The hand's name as the winner line words it, without its closing blank.
std::string trimmedHandName(const HandResult& grade) {
    std::string name = handName(grade);
    while (!name.empty() && name.back() == ' ') {
        name.pop_back();
    }
    return name;
}

// "12.5%": part of whole, one decimal.
std::string share(std::int64_t part, std::int64_t whole) {
    char text[16];
    std::snprintf(text, sizeof text, "%.1f%%",
                  whole > 0 ? 100.0 * static_cast<double>(part) / static_cast<double>(whole) : 0.0);
    return text;
}

} // namespace

void GameRecord::line(const std::string& text) {
    if (writing()) {
        hand += text;
        hand += '\n';
    }
}

std::string GameRecord::seatLine(int seat) const {
    const Player& player = seatAt(seat);
    return "Seat " + std::to_string(seat) + ": " + player.getName() + " (" + std::to_string(player.getMoney()) + " 원)";
}

void GameRecord::startText() {
    street = firstStreet;
    hand.clear();
    line("Brannocktide Hand #" + std::to_string(handNumber()) + ": 7 Card Stud, seed " + std::to_string(seed) + " - " +
         localTimeText());
    for (int seat = 0; seat < seatCount; ++seat) {
        if (seen[static_cast<std::size_t>(seat)].dealt) {
            line(seatLine(seat));
        }
    }
}

void GameRecord::dealt(int cardsEach) {
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

void GameRecord::betText(int seat, std::int64_t paid, long long asked) {
    line(seatAt(seat).getName() + ": bets " + std::to_string(paid) + askedText(paid, asked));
}

void GameRecord::raiseText(int seat, std::int64_t paid, long long asked, long long stake) {
    line(seatAt(seat).getName() + ": raises " + std::to_string(paid) + askedText(paid, asked) + " to " +
         std::to_string(stake));
}

void GameRecord::writeShowdown(const Player& winner, const HandResult& grade, std::int64_t pot) {
    line("*** SHOWDOWN ***");
    for (int seat = 0; seat < seatCount; ++seat) {
        const SeatFacts& facts = seen[static_cast<std::size_t>(seat)];
        // Still in the hand: the seats' own flags may already say who plays the next one.
        if (facts.dealt && !facts.folded) {
            const Player& player = seatAt(seat);
            line(player.getName() + ": shows " + shownCards(player.getCards(), 0, player.getCardCount()) + " (" +
                 trimmedHandName(evaluator.evaluate(player.getCards(), true)) + ")");
        }
    }
    line(winnerLine(winner.getName(), grade));
    line(winner.getName() + " collected " + std::to_string(pot));
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

std::string GameRecord::seedText() const {
    // A later game of the same run goes on with the generator where the last
    // one left it: the seed alone does not deal it again.
    const std::string ofRun = gamesOfRun > 1 ? " (game " + std::to_string(gamesOfRun) + " of this run)" : "";
    return "seed " + std::to_string(seed) + ofRun;
}

std::string GameRecord::gameSummary(const Player* gameWinner) const {
    std::string text = "*** GAME SUMMARY ***\n";
    text += modeText(simulationGame) + ", " + seedText() + ", " + std::to_string(tally.handsPlayed) + " hands in " +
            durationText(tally.secondsPlayed) + "\n";
    text += "Winner: " + (gameWinner != nullptr ? gameWinner->getName() : std::string("none")) + "\n";
    for (std::size_t i = 0; i < seats.size(); ++i) {
        const SeatTally& seat = tally.seats[i];
        if (!seats[i]->isSeated()) {
            continue;
        }
        text += "Seat " + std::to_string(i) + ": " + seats[i]->getName() + ": won " + std::to_string(seat.handsWon) +
                " hands, biggest pot " + std::to_string(seat.biggestPot) + ", money " +
                std::to_string(seat.lowestMoney) + " to " + std::to_string(seat.highestMoney) + ", folded " +
                std::to_string(seat.handsFolded) + " hands, put money in " + std::to_string(seat.handsPaidIn) + " of " +
                std::to_string(seat.handsDealt) + " hands (" + share(seat.handsPaidIn, seat.handsDealt) + ")\n";
    }
    return text + "\n";
}
