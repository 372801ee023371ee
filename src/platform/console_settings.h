#pragma once
// How every backend applies the choices made on the command line and in the
// environment: the pace of the pauses and whether colour is shown.

namespace platform::settings {

// The pause a backend really waits for one the game asked for.
int pauseMs(int askedMs);
// The pauses waited for since the program started, in milliseconds: what
// the measuring programs set the wall time against.
long long pausedMs();
// The attribute a backend really shows for one the game set.
int shownAttribute(int attribute);

} // namespace platform::settings
