#pragma once
// The file a game is kept in (--save FILE): held against a second copy of
// the game by a lock beside it, read once at start, and written anew at
// every save point. A write that fails does not stop the game: the last
// good save stays, the next save point tries again, and the failure is told
// until one succeeds.

#include "files/file_lock.h"
#include "game/saved_game.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

class SaveKeeper {
  public:
    explicit SaveKeeper(std::string path) : path(std::move(path)) {}

    // Checks that the file can be kept (a regular file or none yet, in a
    // folder that takes new files), reads what it holds, and takes the
    // lock. False, with one line for standard error in `problem`, when the
    // file is in use, cannot be read or written, or is not a whole save of
    // this game; nothing is then made, and the file is left as it was.
    bool open(std::string& problem);
    // The game the file held at start.
    const std::optional<SavedGame>& loaded() const { return atStart; }
    // The file as named.
    const std::string& name() const { return path; }

    // Keeps the game; false when the write failed.
    bool write(const SavedGame& game);
    // The system's reason while the last write failed; empty once one succeeded.
    const std::string& failing() const { return reason; }
    // The hand the file goes on at; 0 before the game's first save.
    std::int64_t savedHand() const { return lastSavedHand; }
    // The line for standard error while the last write failed; empty otherwise.
    std::string failure() const;
    // The line for standard error when the program ends: what was lost
    // while the last write failed, otherwise where an unfinished game is
    // kept and how to go on with it; empty when there is none.
    std::string exitLine() const;

  private:
    // Reads and checks what the file holds into atStart.
    bool read(std::string& problem);

    std::string path;
    std::string kept;
    std::unique_ptr<files::FileLock> lock = std::make_unique<files::FileLock>();
    std::optional<SavedGame> atStart;
    std::int64_t lastSavedHand = 0;
    bool keptFinished = false;
    std::string reason;
};
