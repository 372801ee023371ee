// Brannocktide: seven-card stud at a text-console table, one person against
// up to six computers.
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
#include <vector>

namespace {

// Status for a terminal that cannot show the table, and for a bad command line.
constexpr int unusableTerminal = 1;
// Status for a save that cannot be used, or that stopped being written.
constexpr int unusableFile = 1;
constexpr int badCommandLine = 2;

void printLine(std::FILE* to, const std::string& text) { std::fprintf(to, "%s\n", text.c_str()); }

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
    const std::uint32_t seed = unfinished != nullptr ? unfinished->seed
                               : line.seed            ? *line.seed
                                                      : static_cast<std::uint32_t>(std::time(nullptr));
    platform::setPace(line.pace);
    platform::setColour(colourWanted(std::getenv("NO_COLOR")));
    platform::open();
    try {
        GameTable gameManager(seed);
        gameManager.keepIn(save ? &*save : nullptr);
        if (unfinished != nullptr) {
            gameManager.resumeGame(*unfinished);
        }
        gameManager.runMenu();
    } catch (const platform::InputClosed&) {
        // The input ended: there is nobody left to play with, so the game ends.
    }
    platform::close();
    if (save && !save->failure().empty()) {
        printLine(stderr, "brannocktide: " + save->failure());
        return unusableFile;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const CommandLine line = parseCommandLine(std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc));
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
