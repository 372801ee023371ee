#pragma once
// The files a game is kept in, as the command line names them: the save
// (--save) and the hand history (--history). Each is there only when asked
// for.

#include "files/history_file.h"
#include "game/command_line.h"
#include "game/save_keeper.h"

#include <optional>
#include <string>

struct GameFiles {
    std::optional<SaveKeeper> save;
    std::optional<HistoryFile> history;
};

// The files opened, or why not: the line for standard error and the exit
// status. Every check comes before anything is made, so a refused start
// leaves every file as it was and makes none.
struct OpenedFiles {
    GameFiles files;
    std::string problem;
    int status = 0;
};
// Status for a file that cannot be used, and for a command line that asks
// for what cannot be (one file as both, --seed with an unfinished game).
inline constexpr int unusableFileStatus = 1;
inline constexpr int badCommandLineStatus = 2;
OpenedFiles openGameFiles(const CommandLine& line);
