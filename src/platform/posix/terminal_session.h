#pragma once
// The user's terminal as the game borrows it: its settings saved at start,
// the alternate screen while the game runs, and everything given back on
// every way out (normal exit, end of input, the terminating signals) and
// while the program is suspended.

#include <csignal>

namespace platform::posix {

// Switches to the alternate screen with normal colours and the cursor
// hidden. Sent with the first output, and again after a suspend.
inline constexpr char enterScreenSequence[] = "\x1b[?1049h\x1b[0m\x1b[?25l";

// Saves the terminal's settings, sets single-key input and installs the
// handlers that give the terminal back. The caller sends
// enterScreenSequence with its first output.
void beginSession(bool inputIsTerminal, bool outputIsTerminal);

// Gives the terminal back exactly as it was: settings, colours, cursor shown,
// the main screen. Idempotent.
void endSession();

// The status the program ends with when its output is gone.
inline constexpr int lostOutputStatus = 1;

// When the output is gone (a pipe whose reader left, with SIGPIPE ignored;
// a terminal that hung up): gives the terminal back, says so on standard
// error and ends the program at once, as nothing more can be shown.
[[noreturn]] void endForLostOutput();

// After the program was continued: sets the game's input mode again.
// Returns true when the screen has to be set up again with
// enterScreenSequence (the session is still on).
bool resumeSession();

// Holds back the signals that restore the terminal for as long as it lives,
// so a restore never lands in the middle of an escape sequence being sent.
class SignalHold {
  public:
    SignalHold();
    ~SignalHold();
    SignalHold(const SignalHold&) = delete;
    SignalHold& operator=(const SignalHold&) = delete;

  private:
    sigset_t previous;
};

} // namespace platform::posix
