#pragma once
// Key presses as the game reads them, from the bytes a terminal sends: Enter
// is 13 whichever line end the terminal sends, a cursor key is the prefix 224
// and then the console's code for it (up 72, down 80, right 77, left 75).
// Other escape sequences (function keys, the terminal's late answers) never
// reach the game as a string of odd keys: they count as one Escape, or as
// nothing at all for a cursor-position report.

#include "platform/posix/terminal_input.h"

#include <optional>

namespace platform::posix {

class KeyDecoder {
  public:
    explicit KeyDecoder(TerminalInput& input) : input(input) {}

    // The next key code; throws InputClosed at the end of the input.
    int next();

  private:
    // The key an Escape byte starts; nothing when the sequence is no key.
    std::optional<int> afterEscape();
    std::optional<int> controlSequence();

    TerminalInput& input;
    std::optional<int> secondCode; // the code after a 224 prefix
};

} // namespace platform::posix
