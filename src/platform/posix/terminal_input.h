#pragma once
// Bytes from standard input, whether a terminal or a pipe, in the order the
// person typed them. Bytes read ahead (while looking for the end of a cursor
// key or for the terminal's answer to a question) are kept for later reads.

#include "platform/posix/codeset.h"

#include <deque>
#include <optional>
#include <string>
#include <string_view>

namespace platform::posix {

class TerminalInput {
  public:
    // Blocks until the descriptor has something to read, doing whatever else
    // the program does while it waits.
    using Waiter = void (*)();

    explicit TerminalInput(int fd, Waiter waitReadable = nullptr) : fd(fd), waitReadable(waitReadable) {}

    int descriptor() const { return fd; }
    // Bytes from a terminal that speaks another codeset are taken as UTF-8.
    void setRecoder(Recoder* terminalCodeset) { recoder = terminalCodeset; }
    // The next byte; throws InputClosed at the end of the input.
    unsigned char next();
    // The next byte if one comes within the time, otherwise nothing.
    std::optional<unsigned char> nextWithin(int milliseconds);
    // Puts bytes back in front of what is still to be read, in their order.
    void keepForLater(std::string_view bytes);
    // Everything up to and including the next '\n'; a last line without one
    // gets one. Throws InputClosed when nothing at all is left.
    std::string nextLine();

  private:
    std::optional<unsigned char> takeReadAhead();
    // One byte from the descriptor, once it is readable; nothing at the end.
    std::optional<unsigned char> readByte();
    bool readableWithin(int milliseconds);
    // The first UTF-8 byte of what a byte from the descriptor starts; the
    // rest of the character is read and kept for the next reads.
    unsigned char inUtf8(unsigned char raw);

    int fd;
    Waiter waitReadable;
    Recoder* recoder = nullptr;
    std::deque<unsigned char> readAhead;
};

} // namespace platform::posix
