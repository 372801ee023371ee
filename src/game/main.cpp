// Brannocktide: seven-card stud at a text-console table, one person against
// up to six computers.
#include "game/command_line.h"
#include "game/game_files.h"
#include "game/game_table.h"
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

// Status for a terminal that cannot show the table, and for a file the game
// could not keep writing.
constexpr int unusableTerminal = 1;

void printLine(std::FILE* to, const std::string& text) {
    if (to == stderr) {
        platform::writeErrorLine(text);
    } else {
        std::fprintf(to, "%s\n", text.c_str());
    }
}

int play(const CommandLine& line) {
    if (const std::string problem = platform::consoleProblem(); !problem.empty()) {
        printLine(stderr, problem);
        return unusableTerminal;
    }
    OpenedFiles opened = openGameFiles(line);
    if (!opened.problem.empty()) {
        printLine(stderr, "brannocktide: " + opened.problem);
        return opened.status;
    }
    // Copied out of the save, which moves into the table.
    std::optional<SavedGame> unfinished = opened.files.save ? opened.files.save->loaded() : std::nullopt;
    if (unfinished && unfinished->finished()) {
        unfinished.reset();
    }
    const std::uint32_t seed = unfinished ? unfinished->seed
                               : line.seed ? *line.seed
                                           : static_cast<std::uint32_t>(std::time(nullptr));
    platform::setPace(line.pace);
    platform::setColour(colourWanted(std::getenv("NO_COLOR")));
    platform::open();
    std::string saveLine;
    bool saveFailing = false;
    std::string historyProblem;
    std::string unfit;
    {
        GameTable gameManager(seed);
        gameManager.keepFiles(std::move(opened.files));
        try {
            if (unfinished) {
                gameManager.resumeGame(*unfinished);
            }
            gameManager.runMenu();
        } catch (const platform::InputClosed&) {
            // The input ended: there is nobody left to play with, so the game ends.
        } catch (const UnfitAnswers& refused) {
            // Found while the hand was played again unseen: nothing was
            // written, and the save is refused as a damaged one.
            unfit = refused.what();
        }
        saveLine = gameManager.gameRecord().saveExitLine();
        saveFailing = gameManager.gameRecord().saveFailing();
        historyProblem = gameManager.gameRecord().historyProblem();
    }
    platform::close();
    if (!unfit.empty()) {
        printLine(stderr, "brannocktide: cannot take up the game in " + *line.savePath + ": " + unfit +
                              "; the file is left as it is");
        return unusableFileStatus;
    }
    // Both files are told about, the save first.
    for (const std::string& message : {saveLine, historyProblem}) {
        if (!message.empty()) {
            printLine(stderr, "brannocktide: " + message);
        }
    }
    return saveFailing || !historyProblem.empty() ? unusableFileStatus : 0;
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
        return badCommandLineStatus;
    case CommandLine::Action::play:
        break;
    }
    return play(line);
}
