// Brannocktide: seven-card stud at a text-console table, one person against
// up to six computers.
#include "files/history_file.h"
#include "game/command_line.h"
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

// Status for a terminal that cannot show the table (or a file the game cannot
// write), and for a bad command line.
constexpr int unusableTerminal = 1;
constexpr int unwritableFile = 1;
constexpr int badCommandLine = 2;

void printLine(std::FILE* to, const std::string& text) { std::fprintf(to, "%s\n", text.c_str()); }

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

int play(const CommandLine& line) {
    if (const std::string problem = platform::consoleProblem(); !problem.empty()) {
        printLine(stderr, problem);
        return unusableTerminal;
    }
    std::optional<HistoryFile> history;
    if (!openHistory(line, history)) {
        return unwritableFile;
    }
    platform::setPace(line.pace);
    platform::setColour(colourWanted(std::getenv("NO_COLOR")));
    platform::open();
    std::string historyProblem;
    {
        GameTable gameManager(line.seed ? *line.seed : static_cast<std::uint32_t>(std::time(nullptr)));
        if (history) {
            gameManager.keepHistory(std::move(*history));
        }
        try {
            gameManager.runMenu();
        } catch (const platform::InputClosed&) {
            // The input ended: there is nobody left to play with, so the game ends.
        }
        historyProblem = gameManager.historyProblem();
    }
    platform::close();
    if (!historyProblem.empty()) {
        printLine(stderr, "brannocktide: " + historyProblem);
        return unwritableFile;
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
