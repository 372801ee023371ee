#pragma once
// The file a game is kept in (--save FILE): held against a second copy of
// the game by a lock beside it, read once at start, and written anew each
// time a hand's money is settled. A write that fails does not stop the game:
// the last good save stays, and the failure is told at exit.

#include "files/file_lock.h"
#include "game/saved_game.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

class SaveKeeper {
  public:
    explicit SaveKeeper(std::string path) : path(std::move(path)) {}

    // Takes the lock and reads what the file holds (nothing when there is no
    // file yet). False, with one line for standard error in `problem`, when
    // the file is in use, cannot be read or written, or is not a whole save
    // of this game; the file is then left as it was.
    bool open(std::string& problem);
    // The game the file held at start.
    const std::optional<SavedGame>& loaded() const { return atStart; }

    // Keeps the game; after a failure, nothing more is written.
    void write(const SavedGame& game);
    // The line for standard error once a write failed; empty while none did.
    const std::string& failure() const { return failed; }

  private:
    std::string path;
    std::unique_ptr<files::FileLock> lock = std::make_unique<files::FileLock>();
    std::optional<SavedGame> atStart;
    std::int64_t lastSavedHand = 0;
    std::string failed;
};
