// Brannocktide: seven-card stud at a text-console table, one person against
// up to six computers.
#include "files/history_file.h"
#include "game/command_line.h"
#include "game/game_table.h"
#include "game/save_keeper.h"
#include "game/saved_game.h"
#include "platform/console.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace {

// Status for a terminal that cannot show the table (or a file the game cannot
// write), and for a bad command line.
constexpr int unusableTerminal = 1;
// Status for a save or a history file that cannot be used, or that stopped
// being written.
constexpr int unusableFile = 1;
constexpr int badCommandLine = 2;

void printLine(std::FILE* to, const std::string& text) {
    if (to == stderr) {
        platform::writeErrorLine(text);
    } else {
        std::fprintf(to, "%s\n", text.c_str());
    }
}

// Opens the save named on the command line; false, with the line for
// standard error, when the program cannot go on with it.
bool openSave(const CommandLine& line, std::optional<SaveKeeper>& save, std::string& problem) {
    if (!line.savePath) {
        return true;
    }
    save.emplace(*line.savePath);
    return save->open(problem);
}

// The unfinished game the save holds, if any.
const SavedGame* gameToResume(const std::optional<SaveKeeper>& save) {
    return save && save->loaded() && !save->loaded()->finished ? &*save->loaded() : nullptr;
}

// The history file asked for, opened for appending; none when none was asked
// for. False, after its one line on standard error, when it cannot be opened.
bool openHistory(const CommandLine& line, std::optional<HistoryFile>& history) {
    if (!line.historyPath) {
        return true;
    }
    std::string problem;
    history = HistoryFile::open(*line.historyPath, problem);
    if (!history) {
        printLine(stderr, "brannocktide: cannot append to the history file '" + *line.historyPath + "': " + problem);
        return false;
    }
    return true;
}

// A game taken up again cuts its history back to where its save was made,
// dropping a hand written after it, so every hand stands in it once. False,
// after its one line on standard error, when the history cannot be cut there.
bool resumeHistory(const SavedGame* unfinished, std::optional<HistoryFile>& history) {
    if (unfinished == nullptr || !unfinished->historyLength || !history) {
        return true;
    }
    if (!history->resumeAt(*unfinished->historyLength)) {
        printLine(stderr, "brannocktide: cannot take up the history in '" + history->path() + "' where the save left it: " +
                              history->problem());
        return false;
    }
    return true;
}

int play(const CommandLine& line) {
    if (const std::string problem = platform::consoleProblem(); !problem.empty()) {
        printLine(stderr, problem);
        return unusableTerminal;
    }
    std::optional<SaveKeeper> save;
    if (std::string problem; !openSave(line, save, problem)) {
        printLine(stderr, "brannocktide: " + problem);
        return unusableFile;
    }
    const SavedGame* unfinished = gameToResume(save);
    if (unfinished != nullptr && line.seed) {
        printLine(stderr, "brannocktide: " + *line.savePath + " holds an unfinished game, which goes on with its own "
                                                              "deal: leave out --seed, or name another file; " +
                              usageHint());
        return badCommandLine;
    }
    std::optional<HistoryFile> history;
    if (!openHistory(line, history) || !resumeHistory(unfinished, history)) {
        return unusableFile;
    }
    const std::uint32_t seed = unfinished != nullptr ? unfinished->seed
                               : line.seed            ? *line.seed
                                                      : static_cast<std::uint32_t>(std::time(nullptr));
    platform::setPace(line.pace);
    platform::setColour(colourWanted(std::getenv("NO_COLOR")));
    platform::open();
    std::string historyProblem;
    {
        GameTable gameManager(seed);
        gameManager.keepIn(save ? &*save : nullptr);
        if (history) {
            gameManager.keepHistory(std::move(*history));
        }
        try {
            if (unfinished != nullptr) {
                gameManager.resumeGame(*unfinished);
            }
            gameManager.runMenu();
        } catch (const platform::InputClosed&) {
            // The input ended: there is nobody left to play with, so the game ends.
        }
        historyProblem = gameManager.historyProblem();
    }
    platform::close();
    // Both files are told about, the save first.
    const std::string saveProblem = save ? save->failure() : "";
    for (const std::string& problem : {saveProblem, historyProblem}) {
        if (!problem.empty()) {
            printLine(stderr, "brannocktide: " + problem);
        }
    }
    if (!saveProblem.empty() || !historyProblem.empty()) {
        return unusableFile;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const CommandLine line = parseCommandLine(platform::programArguments(argc, argv));
    switch (line.action) {
    case CommandLine::Action::help:
        std::fputs(usageText().c_str(), stdout);
        return 0;
    case CommandLine::Action::version:
        printLine(stdout, versionText());
        return 0;
    case CommandLine::Action::refuse:
        printLine(stderr, "brannocktide: " + line.problem + "; " + usageHint());
        return badCommandLine;
    case CommandLine::Action::play:
        break;
    }
    return play(line);
}
