#pragma once
// Bytes from standard input, whether a terminal or a pipe, in the order the
// person typed them. Bytes read ahead (while looking for the end of a cursor
// key or for the terminal's answer to a question) are kept for later reads.

#include <deque>
#include <optional>
#include <string>

namespace platform::posix {

class TerminalInput {
  public:
    // The next byte; throws InputClosed at the end of the input.
    unsigned char next();
    // The next byte if one comes within the time, otherwise nothing.
    std::optional<unsigned char> nextWithin(int milliseconds);
    // Puts a byte back in front of what is still to be read.
    void keepForLater(unsigned char byte) { readAhead.push_back(byte); }
    // Everything up to and including the next '\n'; a last line without one
    // gets one. Throws InputClosed when nothing at all is left.
    std::string nextLine();
    // True when a byte is ready now (waits at most the given time).
    bool ready(int milliseconds);

  private:
    std::optional<unsigned char> takeReadAhead();
    std::deque<unsigned char> readAhead;
};

} // namespace platform::posix
