#include "game/saved_game.h"

#include "files/checksum.h"
#include "game/save_format.h"
#include "game/save_reader.h"

#include <cstdio>
#include <sstream>
#include <string_view>

namespace {

constexpr std::string_view checksumField = "checksum ";

std::string hex(std::uint32_t value) {
    char text[9];
    std::snprintf(text, sizeof text, "%08x", value);
    return text;
}

void writeHistory(std::ostream& out, const SavedGame& game) {
    out << "history ";
    if (game.history) {
        out << game.history->length << ' ' << hex(game.history->fingerprint) << '\n';
    } else {
        out << "none\n";
    }
    const std::vector<std::string_view> lines = saveFormat::linesOf(game.historyText);
    out << "pending " << lines.size() << '\n';
    for (const std::string_view line : lines) {
        out << saveFormat::textMark << line << '\n';
    }
}

void readHistory(SaveReader& in, SavedGame& game) {
    if (const auto w = in.next("history", -1); w.size() == 1) {
        in.flag(w[0], "none", "none");
    } else if (w.size() == 2) {
        game.history = HistoryFile::Mark{
            static_cast<std::uint64_t>(in.number(w[0], 0, std::numeric_limits<std::int64_t>::max())), in.hex(w[1])};
    } else if (in.ok()) {
        in.impossible("the history's words");
    }
    const auto w = in.next("pending", 1);
    const std::int64_t count = w.empty() ? 0 : in.number(w[0], 0, saveFormat::mostTextLines);
    std::vector<std::string_view> lines;
    for (std::int64_t i = 0; i < count && in.ok(); ++i) {
        lines.push_back(in.rawLine(saveFormat::textMark));
    }
    game.historyText = saveFormat::joinLines(lines);
}

void readAnswers(SaveReader& in, SavedGame& game) {
    const std::vector<std::string_view> words = in.next("answers", -2);
    if (words.size() > saveFormat::mostAnswers) {
        in.impossible(std::to_string(words.size()) + " answers in one hand");
    }
    for (std::size_t i = 0; i < words.size() && in.ok(); ++i) {
        game.answers.push_back(static_cast<int>(in.number(words[i], std::numeric_limits<std::int32_t>::min(),
                                                          std::numeric_limits<std::int32_t>::max())));
    }
}

void writeSeat(std::ostream& out, const SavedSeat& seat, const SeatTally& tally) {
    out << "seat " << seat.money;
    for (const auto field : saveFormat::tallyFields) {
        out << ' ' << tally.*field;
    }
    out << '\n';
}

void readSeats(SaveReader& in, SavedGame& game) {
    game.computers = -1;
    while (in.nextIs("seat") && game.computers < seatCount - 1) {
        const std::size_t s = static_cast<std::size_t>(++game.computers);
        const auto w = in.next("seat", 8);
        if (w.empty()) {
            return;
        }
        game.seats[s].money = in.number(w[0], 0, saveFormat::mostMoney);
        game.seats[s].seated = true;
        saveFormat::readTally(in, std::span(w).subspan(1), game.tally.seats[s]);
    }
    if (in.ok() && game.computers < 1) {
        in.impossible("a table of " + std::to_string(game.computers + 1) + " seats");
    }
}

SavedGame readBody(SaveReader& in) {
    SavedGame game;
    saveFormat::readDeal(in, game);
    if (const auto w = in.next("played", 2); !w.empty()) {
        game.tally.handsPlayed = in.number(w[0], 0, saveFormat::mostHands);
        game.tally.secondsPlayed = in.number(w[1], 0, saveFormat::mostSeconds);
    }
    if (const auto w = in.next("name", 1); !w.empty()) {
        game.seats[0].name = std::string(w[0]);
    }
    readSeats(in, game);
    saveFormat::fillUnseated(game);
    readHistory(in, game);
    readAnswers(in, game);
    return game;
}

} // namespace

bool SavedGame::finished() const {
    int withMoney = 0;
    for (const SavedSeat& seat : seats) {
        withMoney += seat.seated && seat.money > 0 ? 1 : 0;
    }
    return withMoney == 1;
}

std::string encodeSave(const SavedGame& game) {
    std::ostringstream out;
    out << saveFormat::tag << '\n' << "version " << saveFormat::version << '\n';
    saveFormat::writeDeal(out, game);
    out << "played " << game.tally.handsPlayed << ' ' << game.tally.secondsPlayed << '\n';
    out << "name " << game.seats[0].name << '\n';
    for (int s = 0; s <= game.computers; ++s) {
        writeSeat(out, game.seats[static_cast<std::size_t>(s)], game.tally.seats[static_cast<std::size_t>(s)]);
    }
    writeHistory(out, game);
    out << "answers";
    for (const int answer : game.answers) {
        out << ' ' << answer;
    }
    out << '\n';
    const std::string body = out.str();
    return body + std::string(checksumField) + hex(files::crc32(body)) + '\n';
}

std::optional<SavedGame> decodeSave(const std::string& text, std::string& problem) {
    const std::string_view all(text);
    const std::string tagLine = std::string(saveFormat::tag) + '\n';
    if (all.substr(0, tagLine.size()) != tagLine) {
        const bool crlf = all.starts_with(std::string(saveFormat::tag) + "\r\n");
        problem = crlf ? "its line ends were changed to CR LF (by an editor or a copy); it is left as it is"
                       : "it is not a brannocktide save";
        return std::nullopt;
    }
    const std::string_view rest = all.substr(tagLine.size());
    const std::string_view versionLine = rest.substr(0, rest.find('\n') + 1);
    const int version = versionLine == "version 1\n" ? 1 : versionLine == "version 2\n" ? 2 : 0;
    if (version == 0) {
        problem = "it is a save of another version (" + std::string(rest.substr(0, rest.find('\n'))) +
                  "; this program reads versions 1 and " + std::to_string(saveFormat::version) + ")";
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
    if (all.substr(digits, 8) != hex(files::crc32(body))) {
        problem = "its checksum does not match: the file was changed or damaged";
        return std::nullopt;
    }
    SaveReader in(body.substr(tagLine.size() + versionLine.size()));
    SavedGame game = version == 1 ? saveFormat::readVersion1(in) : readBody(in);
    if (in.ok() && !in.finished()) {
        in.fault = "it has lines after its last field";
    }
    if (in.ok()) {
        in.fault = saveFormat::impossibleIn(game);
    }
    if (!in.ok()) {
        problem = in.fault;
        return std::nullopt;
    }
    return game;
}
