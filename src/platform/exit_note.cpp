// The note written to standard error when a signal ends the program: made
// ready by the game as it goes, read by the signal's handler.
#include "platform/backend.h"
#include "platform/console.h"

#include <algorithm>
#include <atomic>
#include <cstddef>

namespace platform {

namespace {

// The note in two buffers: a new note is written into the one not in use
// and then made the one in use, so a signal that comes meanwhile reads a
// whole note.
struct ExitNote {
    char text[1024];
    std::size_t length;
};
ExitNote exitNotes[2]{};
std::atomic<int> exitNoteInUse{0};

} // namespace

void setExitNote(std::string_view line) {
    ExitNote& note = exitNotes[1 - exitNoteInUse.load()];
    const std::size_t length = line.empty() ? 0 : std::min(line.size(), sizeof note.text - 1);
    std::copy_n(line.data(), length, note.text);
    note.text[length] = '\n';
    note.length = line.empty() ? 0 : length + 1;
    exitNoteInUse.store(1 - exitNoteInUse.load());
}

std::string_view backend::exitNote() {
    const ExitNote& note = exitNotes[exitNoteInUse.load()];
    return {note.text, note.length};
}

} // namespace platform
