#pragma once
// What reaches the terminal, in one write() whenever the program is about to
// wait: the control sequences the backend itself sends (entering the screen,
// the questions to the terminal, the notice of a small window), then the
// frame that brings the terminal to what the screen model shows. Text for a
// terminal in another codeset is converted on the way out.

#include "platform/frame_encoder.h"
#include "platform/key_decoder.h"
#include "platform/posix/codeset.h"
#include "platform/posix/terminal_session.h"
#include "platform/screen_model.h"

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

namespace platform::posix {

class TerminalOutput {
  public:
    // A terminal that speaks another codeset gets what is sent converted.
    explicit TerminalOutput(ScreenModel& model, Recoder* terminalCodeset = nullptr)
        : model(model), recoder(terminalCodeset) {}

    // Whether the terminal draws the layout glyphs one cell wide (each then
    // gets a filler cell).
    void setGlyphsNarrow(bool narrow) { encoder.setGlyphsNarrow(narrow); }
    // The terminal's size: cells outside it are not sent.
    void setTerminalSize(int columns, int lines) { encoder.setWindow(columns, lines); }

    // Raw control text that changes nothing the frames keep track of.
    void control(std::string_view sequence) { pending.append(sequence); }
    // Raw text that leaves the terminal's cursor somewhere the frames do not
    // follow (a question to the terminal).
    void controlMovingCursor(std::string_view sequence) {
        pending.append(sequence);
        encoder.loseCursor();
    }
    // The terminal is set up afresh with `setup` (after a suspend): what was
    // waiting is dropped, and the next frame draws the whole screen.
    void restart(std::string_view setup);
    // A screen that is not the table's (a notice); no frame of the table is
    // sent until repaint().
    void notice(ScreenModel screen) {
        encoder.forget();
        pending += encoder.encode(screen);
        framesHeld = true;
    }
    // The next frame draws the whole screen again (the terminal lost it, or
    // showed a notice).
    void repaint() {
        encoder.forget();
        framesHeld = false;
    }

    // What flush would send, in UTF-8; takes it, as flush does.
    std::string takePending();
    // Sends what is waiting and the next frame in one write() (none when
    // nothing changed). False when the file is gone.
    bool flush(int fd);

  private:
    ScreenModel& model;
    FrameEncoder encoder;
    std::string pending;
    bool framesHeld = false;
    Recoder* recoder = nullptr;
};

// The next byte of standard input within the milliseconds (-1: as long as it
// takes), as the key decoder reads it (see KeyDecoder::Source). One byte a
// read: each key typed ahead is still waited for, so the frame before it
// is shown, and what the game does not take of a pipe stays for whoever
// reads it next. Bytes from a terminal in another codeset come as UTF-8.
std::optional<std::string> readInput(int fd, int milliseconds, Recoder* recoder);

// Every moment the program waits (a sleep, a key or a typed line) is when
// what it drew reaches the terminal, in one write, and when a screen the
// terminal lost is brought back: after the program was suspended and
// continued, or after the window was too small for the table for a while.
class WaitPoint {
  public:
    WaitPoint(TerminalOutput& output, int inputFd, bool inputIsTerminal)
        : output(output), inputFd(inputFd), inputIsTerminal(inputIsTerminal) {}

    // The window the table needs; smaller windows get the notice.
    void setNeededSize(WindowSize size) { needed = size; }

    // Sends what is gathered and waits until input is ready (watchInput) or
    // the time is up (-1: input only); true when input is ready. A screen to
    // be brought back meanwhile is, and the wait goes on for its time left.
    // A pause that follows straight on from the previous one is timed from
    // when that one was due to end: drawing in between and the timer's
    // lateness fall inside it, so a hand keeps the pace its pauses set.
    bool wait(int milliseconds, bool watchInput);

    // After asking the terminal for a new size: gives it the time to answer,
    // then, while the window is too small, shows the notice and waits for
    // the window to grow or for a key (which is used up).
    void awaitSize(int milliseconds);

    // Sends what is gathered, in one write; the program ends there, the
    // terminal given back, when the output is gone.
    void flush();

  private:
    using Clock = std::chrono::steady_clock;
    enum class Woke { Input, Event, TimeUp };

    // One wait, for at most `milliseconds` (-1: no limit).
    Woke waitOnce(bool watchInput, int milliseconds);
    // When a wait of `milliseconds` ends; nothing when it has no end.
    std::optional<Clock::time_point> endOfWait(int milliseconds, bool watchInput);
    void bringScreenBack();
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

// Whether the terminal draws the layout glyphs one cell wide: one is drawn
// top left, the terminal asked where its cursor went, the glyph erased.
// True also when no answer comes within a moment (most terminals draw them
// narrow). Keys typed meanwhile are kept.
bool glyphsDrawnNarrow(TerminalOutput& output, KeyDecoder& input, WaitPoint& waits);

// The column (1-based) in a cursor-position report "ESC [ line ; column R";
// nothing for anything else, numbers past a terminal's size included.
std::optional<int> reportedColumn(std::string_view report);

} // namespace platform::posix
