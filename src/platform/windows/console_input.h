#pragma once
// Keys and typed lines from standard input: from the console when it is one
// (keys through the C runtime's _getch, lines through the console's own line
// editing in UTF-16), otherwise byte by byte from the redirected stream.

#include <cstddef>
#include <string>

namespace platform::windows {

class ConsoleInput {
  public:
    // handle is the standard input's HANDLE.
    void attach(void* handle, bool isConsole);
    bool isConsole() const { return console; }

    // One key as _getch gives it (a cursor key as two keys), or one byte of
    // the stream. Throws InputClosed at the end of the input.
    int nextKey();
    // The next line with its '\n', in UTF-8; a last line without one gets
    // one. Throws InputClosed when nothing at all is left.
    std::string nextLine();
    // True when a key is pressed within the time; the key is taken. Always
    // false when the input is not a console.
    bool keyPressedWithin(int milliseconds);

  private:
    std::string consoleLine();
    std::string streamLine();
    bool fillReadAhead();
    unsigned char nextByte();

    void* handle = nullptr;
    bool console = false;
    std::string readAhead;
    std::size_t readAt = 0;
};

} // namespace platform::windows
