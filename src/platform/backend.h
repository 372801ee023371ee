#pragma once
// What each console backend gives the shared input code: the next line the
// person typed, echoed as the console echoes it, with its line end.

#include <string>

namespace platform::backend {

// What the press-a-key wait shows, as the Korean command processor shows it.
inline constexpr const char* pausePrompt = "계속하려면 아무 키나 누르십시오 . . . ";

// The next typed line, ending in '\n' (added when the input ends without
// one). Throws InputClosed when there is no more input at all.
std::string readTypedLine();

// Forgets any typed text not yet taken by a read (a fresh console in tests).
void discardTypedInput();

} // namespace platform::backend
