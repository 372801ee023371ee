#pragma once
// The one door between the game and the console it runs in.
//
// Everything the game shows or reads passes through these free functions.
// One backend is linked into each program: the POSIX terminal, the Windows
// console, or the tests' fake console. Nothing here names a platform's type.

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// Text attributes the game uses: the console's normal colours and light red.
inline constexpr int attrNormal = 7;
inline constexpr int attrRed = 12;

// Keys as readKey gives them, one code for each key pressed: a character as
// its code point (Enter as 13), a cursor key as a code of its own past every
// code point, and any other key that types no character (a function key,
// Home, Insert, a lone Escape) as Escape.
inline constexpr int keyEnter = 13;
inline constexpr int keyEscape = 27;
inline constexpr int keyUp = 0x110000;
inline constexpr int keyDown = keyUp + 1;
inline constexpr int keyRight = keyUp + 2;
inline constexpr int keyLeft = keyUp + 3;
// Ctrl-L, at any key wait or typed line, has the whole screen drawn again
// from the screen model (another program wrote over it); it is no key and no
// character of the line.
inline constexpr char32_t repaintKey = 0x0C;

// Thrown by every read once the input has ended (the terminal hung up, the
// pipe closed, the script ran out): the program ends cleanly, and nothing
// goes on with a value that was never read.
class InputClosed : public std::runtime_error {
  public:
    InputClosed() : std::runtime_error("input closed") {}
};

// Why this console cannot show the table (no cursor addressing, a codeset
// without Hangul), as one line; empty when it can. Asked before open().
std::string consoleProblem();

// The program's arguments after its name, as UTF-8 text: a file named in
// Hangul reaches the game as it was typed on every system.
std::vector<std::string> programArguments(int argc, char** argv);

// Writes one line of the program's messages to standard error: on a console,
// so that it reads whole whatever the console's own character set; to a
// file or a pipe, as UTF-8. Callable before open() and after close().
void writeErrorLine(std::string_view line);

// Every pause is the asked time multiplied by the factor (0: no pauses).
void setPace(double factor);
// With colour off, light red is shown in the normal attribute.
void setColour(bool on);

// The line written to standard error when a signal ends the program, after
// the console is given back: set beforehand, since what ends the program
// then may only write what is ready. Empty: none.
void setExitNote(std::string_view line);

// Prepares the console (called once, first) and gives it back as it was
// (called once, last; also safe to call again).
void open();
void close();

// Moves the cursor to cell column x, line y (0-based).
void moveCursor(int x, int y);
// Sets the attribute for the text written after it (attrNormal or attrRed).
void setAttribute(int attribute);
// Writes UTF-8 text at the cursor; '\n' goes to the start of the next line.
void write(std::string_view text);

// Typed text stops before this cell column (the table's inner edge): a
// character that would reach it is refused.
void setTypingEdge(int column);

// Blanks the whole console and puts the cursor in the top-left cell.
void clearScreen();
// Asks for a console of the given size in cells.
void resizeConsole(int columns, int lines);
// Shows a press-a-key prompt and waits for one key.
void pause();
// Waits for one key, not echoed: one key press is one read (see the key
// codes above).
int readKey();
// Reads one blank-delimited word with echo, skipping leading blanks and line
// ends; the rest of the line stays for the next read.
std::string readWord();
// Reads one whole number with echo. Returns nothing, and discards the rest of
// the line, when what was typed is not a number that fits 32 bits (letters,
// an empty line, a number too large).
std::optional<int> readInt();
// Cells the answer to the last readWord or readInt took on the screen behind
// the cursor: 0 when it was typed ahead or came from a pipe or a file.
int typedCells();
// Blocks for the given number of milliseconds.
void sleepMs(int milliseconds);
// While frames are held, pauses are no pauses and nothing drawn reaches the
// console: the screen model takes it all, and the console shows where it
// ends once they are let go and the game waits for input. How a game taken
// up again plays its hand up to where it was left without showing it.
void holdFrames(bool held);

} // namespace platform
