#pragma once
// The user's terminal as the game borrows it: its settings saved at start,
// the alternate screen while the game runs, and everything given back on
// every way out (exit, end of input, the terminating signals) and while the
// program is suspended. What happens behind the program's back (the window
// changed size, the program was continued) is noted by signal handlers that
// wake any wait; the screen is drawn again at the next wait, never from
// inside a handler.

#include <csignal>
#include <string_view>
#include <termios.h>

namespace platform::posix {

// Switches to the alternate screen with normal colours and the cursor
// hidden. Sent with the first output, and again after a suspend.
inline constexpr char enterScreenSequence[] = "\x1b[?1049h\x1b[0m\x1b[?25l";

// Saves the terminal's settings, sets single-key input and installs the
// handlers that give the terminal back and that note the window's changes.
// The caller sends enterScreenSequence with its first output.
void beginSession(bool inputIsTerminal, bool outputIsTerminal);

// Gives the terminal back exactly as it was: settings, colours, cursor shown,
// the main screen. Idempotent.
void endSession();

// Writes all of the text, waiting while the file takes no more (one set not
// to block by whoever shares it): a frame is recorded as shown, so all of
// it must arrive. False when the file is gone. Safe in a signal handler.
bool writeAll(int fd, std::string_view text);

// The status the program ends with when its output is gone.
inline constexpr int lostOutputStatus = 1;

// When the output is gone (a pipe whose reader left, with SIGPIPE ignored;
// a terminal that hung up): gives the terminal back, says so on standard
// error and ends the program at once, as nothing more can be shown.
[[noreturn]] void endForLostOutput();

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

// Single keys: each key at once, not echoed, Ctrl-S no stop of the output;
// Ctrl-C and Ctrl-Z still work. Output keeps the line-end translation a
// shell message after the game needs. Everything else as the user had it.
termios keyMode(const termios& user);

// Installs the handlers for window changes and continuing, and the wake-up
// descriptor (beginSession does).
void watchTerminalEvents();
// Whether the window changed or the program was continued since the events
// were last taken. Asks the system nothing.
bool eventsWaiting();
// Takes (forgets) the events. After a continue, sets the game's input mode
// again and returns true when the screen has to be set up again with
// enterScreenSequence (the session is still on).
bool takeTerminalEvents();
// A descriptor that is readable while an event is waiting to be taken, so a
// wait on input or on time ends at once; -1 before watchTerminalEvents. An
// event that comes while the events are being taken may be only noted:
// a wait asks eventsWaiting before it sleeps.
int wakeDescriptor();
// For the tests: `meanwhile` runs once, inside the next takeTerminalEvents,
// between its two steps, where a signal may land at any moment.
void landWhileTakingEvents(void (*meanwhile)());

struct WindowSize {
    int columns;
    int lines;
};

// The current size; a very large size when the output is not a terminal.
WindowSize windowSize();

bool fits(WindowSize window, WindowSize needed);

} // namespace platform::posix
