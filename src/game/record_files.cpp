// The files the record keeps: the save at every save point, and the history
// that only ever grows, each hand in it once.
#include "game/game_record.h"

#include "files/native_path.h"
#include "game/history_text.h"
#include "platform/console.h"
#include "platform/text_width.h"

#include <algorithm>

namespace {

// A history shared with another game is read this far after where the save
// left it, looking for the text the save was about to write.
constexpr std::size_t mostReadBack = 64u << 20;

} // namespace

void GameRecord::append(const std::string& text, std::int64_t ofHand) {
    if (writing() && !files.history->append(text)) {
        historyStoppedAt = std::max<std::int64_t>(1, ofHand);
    }
}

void GameRecord::writeSave() {
    if (!files.save) {
        return;
    }
    SavedGame game = handStart;
    game.simulation = simulationGame;
    game.seed = seed;
    game.tally = tally;
    // The history reaches the disk before the save that counts on it.
    game.history = writing() ? files.history->mark() : std::nullopt;
    if (files.history && files.history->failed() && historyStoppedAt == 0) {
        historyStoppedAt = std::max<std::int64_t>(1, tally.handsPlayed);
    }
    game.historyText = game.history ? pending : "";
    game.answers = answers;
    files.save->write(game);
    prepareExitNote();
}

void GameRecord::keep(SavedGame table) {
    handStart = std::move(table);
    answers.clear();
    writeSave();
    append(pending, tally.handsPlayed);
    pending.clear();
}

void GameRecord::answered(int answer) {
    answers.push_back(answer);
    if (!lastFromReplay) {
        writeSave();
    }
}

std::optional<int> GameRecord::replayedAnswer() {
    lastFromReplay = !replay.empty();
    if (replay.empty()) {
        return std::nullopt;
    }
    const int answer = replay.front();
    replay.pop_front();
    return answer;
}

void GameRecord::unfitAnswers(const std::string& what) const {
    throw UnfitAnswers("its answers do not fit hand " + std::to_string(handNumber()) + ": " + what);
}

void GameRecord::keepFiles(GameFiles kept) {
    files = std::move(kept);
    if (files.save && files.save->loaded()) {
        takeUpHistory(*files.save->loaded());
    }
    prepareExitNote();
}

std::string GameRecord::continuedText(const SavedGame& saved, std::int64_t firstHand) const {
    return "=== Game continued: " + modeText(saved.simulation) + ", seed " + std::to_string(saved.seed) + ", at hand " +
           std::to_string(firstHand) + " - " + localTimeText() + " ===\n\n";
}

// The save was made with the history reaching its mark, and the text it
// held was to follow. When the file still reaches the mark with the same
// bytes, it is the game's own: the text is written unless it is there
// already. A file the game cannot vouch for (moved aside, replaced, cut)
// is only appended to, and a game that goes on in a file holding more than
// its own opens its hands with a line that names it.
void GameRecord::takeUpHistory(const SavedGame& saved) {
    if (!writing()) {
        return;
    }
    std::string after;
    const bool own = saved.history && files.history->reaches(*saved.history) &&
                     files.history->readFrom(saved.history->length, mostReadBack, after);
    const bool textThere = own && after.find(saved.historyText) != std::string::npos;
    const bool alone = own && (after.empty() || after == saved.historyText);
    const bool writeText = own && !textThere;
    // Text held at a game's first save is its opening line, which names it.
    const bool opening = saved.tally.handsPlayed == 0;
    if (!alone && !saved.finished() && !(writeText && opening)) {
        const std::int64_t firstHand = writeText ? saved.nextHand() - 1 : saved.nextHand();
        append(continuedText(saved, firstHand), firstHand);
    }
    if (writeText) {
        append(saved.historyText, saved.tally.handsPlayed);
    }
}

std::string GameRecord::historyProblem() const {
    if (!files.history || !files.history->failed()) {
        return "";
    }
    return "the history in '" + files.history->path() + "' stopped at hand " + std::to_string(historyStoppedAt) + ": " +
           files.history->problem();
}

std::string GameRecord::saveExitLine() const { return files.save ? files.save->exitLine() : ""; }

void GameRecord::prepareExitNote() const {
    const std::string line = saveExitLine();
    platform::setExitNote(line.empty() ? line : "brannocktide: " + line);
}

std::string GameRecord::saveNotice() const {
    if (!saveFailing()) {
        return "";
    }
    const std::string name = files::utf8Path(files::nativePath(files.save->name()).filename());
    return platform::sanitizeTyped("저장 실패: " + name + " (" + files.save->failing() + ")");
}
