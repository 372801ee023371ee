#include "game/save_keeper.h"

#include "files/durable_file.h"
#include "files/native_file.h"
#include "game/save_format.h"

namespace {

// The file's name as a shell takes it back: quoted unless it is plain.
std::string quotedForShell(const std::string& name) {
    if (!name.empty() && name.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789._/-+:,@%") ==
                             std::string::npos) {
        return name;
    }
#ifdef _WIN32
    return '"' + name + '"';
#else
    std::string quoted = "'";
    for (const char c : name) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
#endif
}

// A save is a few kilobytes; a longer name typed from a pipe makes it
// longer, but nothing near this.
constexpr std::size_t largestSave = 16 * 1024 * 1024;

// Why the file at `target` cannot be a save; empty when it can.
std::string unusable(const std::string& target) {
    const std::string why = files::unusableAsFile(target, false);
    return why.empty() ? files::tryTemporaryBeside(target).problem : why;
}

} // namespace

bool SaveKeeper::read(std::string& problem) {
    atStart.reset();
    const files::ReadResult read = files::readWhole(kept, largestSave);
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
    lastSavedHand = atStart->nextHand();
    keptFinished = atStart->finished();
    return true;
}

bool SaveKeeper::open(std::string& problem) {
    // A save reached through a link is kept where the link leads, so the
    // link stays.
    kept = files::finalTarget(path);
    if (const std::string why = unusable(kept); !why.empty()) {
        problem = "cannot use " + path + ": " + why;
        return false;
    }
    // Read before the lock, so a refused file leaves nothing new beside it;
    // read again under the lock, in case another copy saved in between.
    if (!read(problem)) {
        return false;
    }
    const std::string lockPath = kept + ".lock";
    if (!lock->acquire(lockPath)) {
        problem = lock->busy() ? path + " is in use by another brannocktide"
                               : "cannot use " + path + ": " + lockPath + ": " + lock->problem();
        return false;
    }
    files::removeLeftTemporaries(kept, std::string(saveFormat::tag) + '\n');
    return read(problem);
}

bool SaveKeeper::write(const SavedGame& game) {
    const files::Outcome outcome = files::replaceDurably(kept, encodeSave(game));
    reason = outcome.problem;
    if (outcome.ok()) {
        lastSavedHand = game.nextHand();
        keptFinished = game.finished();
    }
    return outcome.ok();
}

std::string SaveKeeper::failure() const {
    if (reason.empty()) {
        return "";
    }
    return "could not save to " + path + " (" + reason + "); the save stopped " +
           (lastSavedHand > 0 ? "at hand " + std::to_string(lastSavedHand) : "before the game's first hand");
}

std::string SaveKeeper::exitLine() const {
    if (!reason.empty()) {
        return failure();
    }
    if (lastSavedHand == 0 || keptFinished) {
        return "";
    }
    return "the game is kept in " + path + " at hand " + std::to_string(lastSavedHand) + "; brannocktide --save " +
           quotedForShell(path) + " continues it";
}
