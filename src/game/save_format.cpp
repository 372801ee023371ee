// The lines every version of the save shares, and the reader of version 1.
#include "game/save_format.h"

#include "players/player.h"

#include <set>

namespace saveFormat {

void readTally(SaveReader& in, std::span<const std::string_view> words, SeatTally& tally) {
    for (std::size_t i = 0; i < std::size(tallyFields) && i < words.size(); ++i) {
        tally.*tallyFields[i] = in.number(words[i], 0, mostHands);
    }
}

std::vector<std::string_view> linesOf(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        lines.push_back(text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    }
    return lines;
}

std::string joinLines(const std::vector<std::string_view>& lines) {
    std::string text;
    for (const std::string_view line : lines) {
        text.append(line);
        text += '\n';
    }
    return text;
}

void writeDeal(std::ostream& out, const SavedGame& game) {
    out << "mode " << (game.simulation ? "simulation" : "game-start") << '\n';
    out << "seed " << game.seed << '\n' << "random " << game.randomState << '\n' << "deck";
    for (const int card : game.deckOrder) {
        out << ' ' << card;
    }
    out << '\n';
}

void readDeal(SaveReader& in, SavedGame& game) {
    constexpr std::int64_t most32 = std::numeric_limits<std::uint32_t>::max();
    if (const auto w = in.next("mode", 1); !w.empty()) {
        game.simulation = in.flag(w[0], "simulation", "game-start");
    }
    if (const auto w = in.next("seed", 1); !w.empty()) {
        game.seed = static_cast<std::uint32_t>(in.number(w[0], 0, most32));
    }
    if (const auto w = in.next("random", 1); !w.empty()) {
        game.randomState = static_cast<std::uint32_t>(in.number(w[0], 0, most32));
    }
    if (const auto w = in.next("deck", static_cast<int>(game.deckOrder.size())); !w.empty()) {
        std::set<int> seen;
        for (std::size_t i = 0; i < w.size(); ++i) {
            game.deckOrder[i] = static_cast<int>(in.number(w[i], 0, 51));
            seen.insert(game.deckOrder[i]);
        }
        if (seen.size() != w.size()) {
            in.impossible("a card twice in the deck");
        }
    }
}

void fillUnseated(SavedGame& game) {
    for (int s = 1; s < seatCount; ++s) {
        SavedSeat& seat = game.seats[static_cast<std::size_t>(s)];
        seat.name = "Computer" + std::to_string(s);
        if (s > game.computers) {
            seat = {seat.name, Player::startMoney, false};
            game.tally.seats[static_cast<std::size_t>(s)] = {0, 0, Player::startMoney, Player::startMoney, 0, 0, 0};
        }
    }
}

namespace {

// Version 1 wrote every seat, with its index and name, and the tally apart.
void readVersion1Seats(SaveReader& in, SavedGame& game) {
    for (int s = 0; s < seatCount; ++s) {
        const std::vector<std::string_view> w = in.next("seat", 4);
        if (w.empty()) {
            return;
        }
        SavedSeat& seat = game.seats[static_cast<std::size_t>(s)];
        in.number(w[0], s, s);
        seat.money = in.number(w[1], 0, mostMoney);
        seat.seated = in.flag(w[2], "seated", "unseated");
        seat.name = std::string(w[3]);
    }
}

void readVersion1Tally(SaveReader& in, SavedGame& game, std::int64_t nextHand) {
    if (const auto w = in.next("tally", 2); !w.empty()) {
        game.tally.handsPlayed = in.number(w[0], nextHand - 1, nextHand - 1);
        game.tally.secondsPlayed = in.number(w[1], 0, mostSeconds);
    }
    for (int s = 0; s < seatCount; ++s) {
        const std::vector<std::string_view> w = in.next("seat-tally", 8);
        if (w.empty()) {
            return;
        }
        in.number(w[0], s, s);
        readTally(in, std::span(w).subspan(1), game.tally.seats[static_cast<std::size_t>(s)]);
    }
}

} // namespace

SavedGame readVersion1(SaveReader& in) {
    SavedGame game;
    readDeal(in, game);
    std::int64_t nextHand = 1;
    if (const auto w = in.next("hand", 1); !w.empty()) {
        nextHand = in.number(w[0], 1, mostHands + 1);
    }
    bool finished = false;
    if (const auto w = in.next("finished", 1); !w.empty()) {
        finished = in.flag(w[0], "yes", "no");
    }
    if (const auto w = in.next("computers", 1); !w.empty()) {
        game.computers = static_cast<int>(in.number(w[0], 1, seatCount - 1));
    }
    readVersion1Seats(in, game);
    readVersion1Tally(in, game, nextHand);
    // Its history length came without a checksum of what was before it: the
    // history is taken up as a file the game cannot vouch for.
    if (const auto w = in.next("history", 1); !w.empty() && w[0] != "none") {
        in.number(w[0], 0, std::numeric_limits<std::int64_t>::max());
    }
    for (int s = 0; s < seatCount && in.ok(); ++s) {
        if (game.seats[static_cast<std::size_t>(s)].seated != (s <= game.computers)) {
            in.impossible("seat " + std::to_string(s));
        }
    }
    if (in.ok() && finished != game.finished()) {
        in.impossible("a game " + std::string(finished ? "finished" : "unfinished") + " with its money where it is");
    }
    return game;
}

} // namespace saveFormat
