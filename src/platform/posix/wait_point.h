#pragma once
// Every moment the program waits (a sleep, a key or a typed line) is when
// what it drew reaches the terminal, in one write, and when a screen the
// terminal lost is brought back: after the program was suspended and
// continued, or after the window was too small for the table for a while.

#include "platform/posix/terminal_io.h"
#include "platform/posix/terminal_session.h"

#include <chrono>
#include <optional>

namespace platform::posix {

class WaitPoint {
  public:
    WaitPoint(TerminalOutput& output, int inputFd, bool inputIsTerminal)
        : output(output), inputFd(inputFd), inputIsTerminal(inputIsTerminal) {}

    // The window the table needs; smaller windows get the notice.
    void setNeededSize(WindowSize size) { needed = size; }

    // Sends what is gathered and waits until input is ready (watchInput) or
    // the time is up (milliseconds; -1 waits for input only). When the
    // screen has to be brought back meanwhile, that is done and the wait
    // goes on for the time it still had. Returns true when input is ready.
    //
    // A pause (a time without input) that the game goes straight on to from
    // the previous pause is timed from when that one was due to end: the
    // time spent drawing in between, and the lateness of the system's timer,
    // fall inside the pause instead of adding to it, so a hand keeps the
    // pace its pauses set.
    bool wait(int milliseconds, bool watchInput);

    // After asking the terminal for a new size: gives it the time to answer,
    // then, while the window is too small, shows the notice and waits for
    // the window to grow or for a key (which is used up).
    void awaitSize(int milliseconds);

    // Sends what is gathered, in one write. When the output is gone, the
    // program ends there, the terminal given back.
    void flush();

  private:
    using Clock = std::chrono::steady_clock;
    enum class Woke { Input, Event, TimeUp };

    // One wait, for at most `milliseconds` (-1: no limit).
    Woke waitOnce(bool watchInput, int milliseconds);
    // When a wait of `milliseconds` ends; nothing when it has no end.
    std::optional<Clock::time_point> endOfWait(int milliseconds, bool watchInput);
    void bringScreenBack();
    // Tells the output the window's size now.
    void followWindow();
    // Takes the events; sets the screen up again after a continue.
    void takeEvents();
    bool showNoticeUntilRoom();
    void discardKey();

    TerminalOutput& output;
    int inputFd;
    bool inputIsTerminal;
    WindowSize needed{162, 42};
    // When the last pause was due to end, while nothing else was waited for
    // since.
    std::optional<Clock::time_point> pauseDue;
};

} // namespace platform::posix
