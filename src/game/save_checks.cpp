// What a save may hold: only values a game of these rules can reach, so a
// changed save that kept its checksum cannot seat a game the table could
// never have played.
#include "game/save_format.h"

#include "platform/text_width.h"
#include "players/player.h"

#include <algorithm>

namespace saveFormat {

namespace {

// A name the set-up could have taken: one word of showable characters that
// fits its cells.
bool typeableName(const std::string& name) {
    return !name.empty() && name.find(' ') == std::string::npos && platform::sanitizeTyped(name) == name &&
           platform::cellWidth(name) <= Player::maxNameCells;
}

std::string seatFault(const SavedGame& game, int s) {
    const SavedSeat& seat = game.seats[static_cast<std::size_t>(s)];
    const SeatTally& t = game.tally.seats[static_cast<std::size_t>(s)];
    const std::int64_t start = Player::startMoney;
    const std::int64_t total = start * (game.computers + 1);
    const std::int64_t played = game.tally.handsPlayed;
    if (!seat.seated) {
        const SeatTally untouched{0, 0, start, start, 0, 0, 0};
        const bool asLeft = seat.money == start && t.handsWon == untouched.handsWon &&
                            t.biggestPot == untouched.biggestPot && t.highestMoney == start &&
                            t.lowestMoney == start && t.handsFolded == 0 && t.handsPaidIn == 0 && t.handsDealt == 0;
        return asLeft ? "" : "money or a tally on seat " + std::to_string(s) + ", which is not in use";
    }
    // A seat with money has been dealt every hand; one without went broke.
    const bool dealt = t.handsDealt <= played && (seat.money == 0 || t.handsDealt == played);
    const bool counts = t.handsWon <= t.handsDealt && t.handsFolded <= t.handsDealt && t.handsPaidIn <= t.handsDealt;
    const bool money = t.lowestMoney <= std::min(seat.money, start) && std::max(seat.money, start) <= t.highestMoney &&
                       t.highestMoney <= total;
    const bool pots = t.biggestPot <= total && (t.handsWon > 0 || t.biggestPot == 0);
    return dealt && counts && money && pots ? "" : "the tally of seat " + std::to_string(s);
}

std::string seatsFault(const SavedGame& game) {
    std::int64_t money = 0;
    std::int64_t won = 0;
    for (int s = 0; s < seatCount; ++s) {
        const SavedSeat& seat = game.seats[static_cast<std::size_t>(s)];
        const bool rightName = s == 0 ? typeableName(seat.name) : seat.name == "Computer" + std::to_string(s);
        if (!rightName || seat.seated != (s <= game.computers)) {
            return "seat " + std::to_string(s);
        }
        if (const std::string fault = seatFault(game, s); !fault.empty()) {
            return fault;
        }
        money += seat.seated ? seat.money : 0;
        won += game.tally.seats[static_cast<std::size_t>(s)].handsWon;
    }
    // A game is kept only once a hand's pot is paid: no money is on the table.
    if (money != std::int64_t{Player::startMoney} * (game.computers + 1)) {
        return "the seats' money adds up to " + std::to_string(money);
    }
    if (won != game.tally.handsPlayed) {
        return std::to_string(won) + " hands won of " + std::to_string(game.tally.handsPlayed) + " played";
    }
    return "";
}

} // namespace

std::string impossibleIn(const SavedGame& game) {
    if (std::string fault = seatsFault(game); !fault.empty()) {
        return "it holds an impossible value: " + fault;
    }
    for (const std::string_view line : linesOf(game.historyText)) {
        if (platform::sanitizeTyped(line) != line) {
            return "it holds history text that the game does not write";
        }
    }
    return "";
}

} // namespace saveFormat
