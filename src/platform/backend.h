#pragma once
// What each console backend gives the shared console code: typed lines from
// a person are edited on the screen key by key; lines from a pipe or a file
// are read whole.

#include "platform/line_editor.h"

#include <string>

namespace platform::backend {

// What the press-a-key wait shows, as the Korean command processor shows it.
inline constexpr const char* pausePrompt = "계속하려면 아무 키나 누르십시오 . . . ";

// True when typed lines come from a person at the console; false for a pipe
// or a file, whose lines are read whole and not echoed.
bool linesAreTyped();
// The next key of a typed line. Throws InputClosed at the end of the input.
LineKey nextLineKey();
// The next line of a pipe or a file, with its '\n' (added to a last line).
// Throws InputClosed when there is no more input at all.
std::string readRawLine();

// Forgets any typed text not yet taken by a read (a fresh console in tests).
void discardTypedInput();

// The exit note as last set, with its line end; safe to read in a signal
// handler, or in a handler's own thread while the note is set again.
std::string_view exitNote();

} // namespace platform::backend

// How every backend applies the choices made on the command line and in the
// environment: the pace of the pauses and whether colour is shown.
namespace platform::settings {

// The pause a backend really waits for one the game asked for.
int pauseMs(int askedMs);
// True while frames are held: a backend's pause waits for nothing and
// shows nothing.
bool framesHeld();
// The pauses waited for since the program started, in milliseconds: what
// the measuring programs set the wall time against.
long long pausedMs();

} // namespace platform::settings
