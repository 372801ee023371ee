#include "game/save_keeper.h"

#include "files/durable_file.h"

namespace {

// A save is a few kilobytes; a longer name typed from a pipe makes it
// longer, but nothing near this.
constexpr std::size_t largestSave = 16 * 1024 * 1024;

} // namespace

bool SaveKeeper::open(std::string& problem) {
    const std::string lockPath = path + ".lock";
    if (!lock->acquire(lockPath)) {
        problem = lock->busy() ? path + " is in use by another brannocktide"
                               : "cannot use " + path + ": " + lockPath + ": " + lock->problem();
        return false;
    }
    const files::ReadResult read = files::readWhole(path, largestSave);
    if (read.missing) {
        return true; // a first game: the file is made at its first save
    }
    if (!read.contents) {
        problem = "cannot read " + path + ": " + read.problem;
        return false;
    }
    std::string fault;
    atStart = decodeSave(*read.contents, fault);
    if (!atStart) {
        problem = "cannot take up the game in " + path + ": " + fault + "; the file is left as it is";
        return false;
    }
    lastSavedHand = atStart->nextHand;
    return true;
}

void SaveKeeper::write(const SavedGame& game) {
    if (!failed.empty()) {
        return;
    }
    const files::Outcome outcome = files::replaceDurably(path, encodeSave(game));
    if (!outcome.ok()) {
        failed = "could not save to " + path + " (" + outcome.problem + "); the save stopped " +
                 (lastSavedHand > 0 ? "at hand " + std::to_string(lastSavedHand) : "before the game's first hand");
        return;
    }
    lastSavedHand = game.nextHand;
}
