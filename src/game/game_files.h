#pragma once
// The files a game is kept in, as the command line names them: the save
// (--save) and the hand history (--history). Each is there only when asked for.

#include "files/history_file.h"
#include "game/save_keeper.h"

#include <optional>

struct GameFiles {
    std::optional<SaveKeeper> save;
    std::optional<HistoryFile> history;
};
