#include "game/saved_game.h"

#include "players/player.h"
#include "platform/text_width.h"

#include <charconv>
#include <cstdio>
#include <limits>
#include <set>
#include <sstream>
#include <string_view>
#include <vector>

namespace {

constexpr std::string_view formatTag = "brannocktide save";
constexpr int formatVersion = 1;
constexpr std::string_view checksumField = "checksum ";
constexpr std::int64_t mostMoney = std::numeric_limits<std::int32_t>::max();

// CRC-32 (the polynomial of zip and PNG), enough to catch any changed or
// lost byte of a file this size.
std::uint32_t checksum(std::string_view bytes) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (const char c : bytes) {
        crc ^= static_cast<unsigned char>(c);
        for (int bit = 0; bit < 8; ++bit) {
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
        }
    }
    return ~crc;
}

std::string hex(std::uint32_t value) {
    char text[9];
    std::snprintf(text, sizeof text, "%08x", value);
    return text;
}

// The words of one line, split at single blanks.
std::vector<std::string_view> wordsOf(std::string_view line) {
    std::vector<std::string_view> words;
    std::size_t from = 0;
    while (from <= line.size()) {
        const std::size_t blank = std::min(line.find(' ', from), line.size());
        words.push_back(line.substr(from, blank - from));
        from = blank + 1;
    }
    return words;
}

// Reads the save's lines in order; the first fault stops it.
class Reader {
  public:
    explicit Reader(std::string_view body) {
        std::size_t from = 0;
        while (from < body.size()) {
            const std::size_t end = body.find('\n', from);
            lines.push_back(body.substr(from, end - from));
            from = end + 1;
        }
    }

    // The words of the next line, which must start with `field` and have
    // `count` words after it.
    std::vector<std::string_view> next(std::string_view field, std::size_t count) {
        if (!fault.empty()) {
            return {};
        }
        if (at >= lines.size()) {
            fault = "it ends before its " + std::string(field) + " line";
            return {};
        }
        std::vector<std::string_view> words = wordsOf(lines[at++]);
        if (words.size() != count + 1 || words[0] != field) {
            fault = "line " + std::to_string(at) + " is not the " + std::string(field) + " line it should be";
            return {};
        }
        words.erase(words.begin());
        return words;
    }

    // A whole number within bounds, in plain decimal digits.
    std::int64_t number(std::string_view word, std::int64_t low, std::int64_t high) {
        std::int64_t value = 0;
        const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
        if (fault.empty() && (error != std::errc{} || end != word.data() + word.size() || word.empty() ||
                              word[0] == '+' || value < low || value > high)) {
            impossible("'" + std::string(word) + "'");
        }
        return value;
    }

    bool flag(std::string_view word, std::string_view yes, std::string_view no) {
        if (word != yes && word != no) {
            impossible("'" + std::string(word) + "'");
        }
        return word == yes;
    }

    void impossible(const std::string& what) {
        if (fault.empty()) {
            fault = "line " + std::to_string(at) + " holds an impossible value: " + what;
        }
    }

    bool finished() const { return at == lines.size(); }

    std::string fault;

  private:
    std::vector<std::string_view> lines;
    std::size_t at = 0;
};

// A name the set-up could have taken: one word of showable characters.
bool typeableName(std::string_view name) {
    return !name.empty() && name.find(' ') == std::string_view::npos && platform::sanitizeTyped(name) == name;
}

void readSeats(Reader& in, SavedGame& game) {
    for (int s = 0; s < seatCount; ++s) {
        const std::vector<std::string_view> words = in.next("seat", 4);
        if (words.empty()) {
            return;
        }
        SavedSeat& seat = game.seats[static_cast<std::size_t>(s)];
        if (in.number(words[0], s, s) != s) {
            return;
        }
        seat.money = in.number(words[1], 0, mostMoney);
        seat.seated = in.flag(words[2], "seated", "unseated");
        seat.name = std::string(words[3]);
        const bool rightName = s == 0 ? typeableName(seat.name) : seat.name == "Computer" + std::to_string(s);
        if (!rightName || seat.seated != (s <= game.computers)) {
            in.impossible("seat " + std::to_string(s));
        }
    }
}

void readTally(Reader& in, SavedGame& game) {
    const std::vector<std::string_view> words = in.next("tally", 2);
    if (words.empty()) {
        return;
    }
    game.tally.handsPlayed = in.number(words[0], game.nextHand - 1, game.nextHand - 1);
    game.tally.secondsPlayed = in.number(words[1], 0, std::numeric_limits<std::int64_t>::max());
    for (int s = 0; s < seatCount; ++s) {
        const std::vector<std::string_view> counts = in.next("seat-tally", 8);
        if (counts.empty() || in.number(counts[0], s, s) != s) {
            return;
        }
        SeatTally& t = game.tally.seats[static_cast<std::size_t>(s)];
        const std::int64_t most = std::numeric_limits<std::int64_t>::max();
        t.handsWon = in.number(counts[1], 0, most);
        t.biggestPot = in.number(counts[2], 0, most);
        t.highestMoney = in.number(counts[3], 0, most);
        t.lowestMoney = in.number(counts[4], 0, most);
        t.handsFolded = in.number(counts[5], 0, most);
        t.handsPaidIn = in.number(counts[6], 0, most);
        t.handsDealt = in.number(counts[7], 0, most);
    }
}

// Every seated seat's money together is what they all started with: a hand
// is saved only once its pot is paid.
void checkMoney(Reader& in, const SavedGame& game) {
    std::int64_t total = 0;
    for (const SavedSeat& seat : game.seats) {
        total += seat.seated ? seat.money : 0;
    }
    if (total != std::int64_t{Player::startMoney} * (game.computers + 1)) {
        in.impossible("the seats' money adds up to " + std::to_string(total));
    }
}

SavedGame readBody(Reader& in) {
    SavedGame game;
    if (const auto w = in.next("mode", 1); !w.empty()) {
        game.simulation = in.flag(w[0], "simulation", "game-start");
    }
    if (const auto w = in.next("seed", 1); !w.empty()) {
        game.seed = static_cast<std::uint32_t>(in.number(w[0], 0, std::numeric_limits<std::uint32_t>::max()));
    }
    if (const auto w = in.next("random", 1); !w.empty()) {
        game.randomState = static_cast<std::uint32_t>(in.number(w[0], 0, std::numeric_limits<std::uint32_t>::max()));
    }
    if (const auto w = in.next("deck", 52); !w.empty()) {
        std::set<std::int64_t> seen;
        for (std::size_t i = 0; i < w.size(); ++i) {
            game.deckOrder[i] = static_cast<int>(in.number(w[i], 0, 51));
            seen.insert(game.deckOrder[i]);
        }
        if (seen.size() != w.size()) {
            in.impossible("a card twice in the deck");
        }
    }
    if (const auto w = in.next("hand", 1); !w.empty()) {
        game.nextHand = in.number(w[0], 1, std::numeric_limits<std::int64_t>::max());
    }
    if (const auto w = in.next("finished", 1); !w.empty()) {
        game.finished = in.flag(w[0], "yes", "no");
    }
    if (const auto w = in.next("computers", 1); !w.empty()) {
        game.computers = static_cast<int>(in.number(w[0], 1, 6));
    }
    readSeats(in, game);
    readTally(in, game);
    if (const auto w = in.next("history", 1); !w.empty() && w[0] != "none") {
        game.historyLength = static_cast<std::uint64_t>(in.number(w[0], 0, std::numeric_limits<std::int64_t>::max()));
    }
    if (in.fault.empty()) {
        checkMoney(in, game);
    }
    if (in.fault.empty() && !in.finished()) {
        in.fault = "it has lines after its last field";
    }
    return game;
}

} // namespace

std::string encodeSave(const SavedGame& game) {
    std::ostringstream out;
    out << formatTag << '\n' << "version " << formatVersion << '\n';
    out << "mode " << (game.simulation ? "simulation" : "game-start") << '\n';
    out << "seed " << game.seed << '\n' << "random " << game.randomState << '\n' << "deck";
    for (const int card : game.deckOrder) {
        out << ' ' << card;
    }
    out << '\n' << "hand " << game.nextHand << '\n' << "finished " << (game.finished ? "yes" : "no") << '\n';
    out << "computers " << game.computers << '\n';
    for (std::size_t s = 0; s < game.seats.size(); ++s) {
        const SavedSeat& seat = game.seats[s];
        out << "seat " << s << ' ' << seat.money << ' ' << (seat.seated ? "seated" : "unseated") << ' ' << seat.name
            << '\n';
    }
    out << "tally " << game.tally.handsPlayed << ' ' << game.tally.secondsPlayed << '\n';
    for (std::size_t s = 0; s < game.tally.seats.size(); ++s) {
        const SeatTally& t = game.tally.seats[s];
        out << "seat-tally " << s << ' ' << t.handsWon << ' ' << t.biggestPot << ' ' << t.highestMoney << ' '
            << t.lowestMoney << ' ' << t.handsFolded << ' ' << t.handsPaidIn << ' ' << t.handsDealt << '\n';
    }
    out << "history " << (game.historyLength ? std::to_string(*game.historyLength) : "none") << '\n';
    const std::string body = out.str();
    return body + std::string(checksumField) + hex(checksum(body)) + '\n';
}

std::optional<SavedGame> decodeSave(const std::string& text, std::string& problem) {
    const std::string_view all(text);
    const std::string tagLine = std::string(formatTag) + '\n';
    if (all.substr(0, tagLine.size()) != tagLine) {
        problem = "it is not a brannocktide save";
        return std::nullopt;
    }
    const std::string versionLine = "version " + std::to_string(formatVersion) + '\n';
    if (all.substr(tagLine.size(), versionLine.size()) != versionLine) {
        const std::string_view rest = all.substr(tagLine.size());
        problem = "it is a save of another version (" + std::string(rest.substr(0, rest.find('\n'))) +
                  "; this program reads version " + std::to_string(formatVersion) + ")";
        return std::nullopt;
    }
    // The checksum line is the last: eight hex digits and a line end.
    const std::size_t lastLine = all.rfind(checksumField);
    const std::size_t digits = lastLine + checksumField.size();
    if (lastLine == std::string_view::npos || all.size() != digits + 9 || all.back() != '\n' ||
        (lastLine > 0 && all[lastLine - 1] != '\n')) {
        problem = "it is cut short";
        return std::nullopt;
    }
    const std::string_view body = all.substr(0, lastLine);
    if (all.substr(digits, 8) != hex(checksum(body))) {
        problem = "its checksum does not match: the file was changed or damaged";
        return std::nullopt;
    }
    Reader in(body.substr(tagLine.size() + versionLine.size()));
    SavedGame game = readBody(in);
    if (!in.fault.empty()) {
        problem = in.fault;
        return std::nullopt;
    }
    return game;
}
