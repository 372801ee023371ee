#pragma once
// Key presses from the bytes a terminal, a pipe or a test script sends:
// Enter is 13 whichever line end comes, a cursor key its one code, a
// character of several UTF-8 bytes one key. Other escape sequences
// (function keys, late answers of the terminal, paste marks) count as one
// Escape or as nothing; Ctrl-L has the screen drawn again and is no key.
// The decoder holds the one read-ahead buffer of typed input: bytes read
// while looking for the end of a key or for a terminal's answer are kept, in
// their order, for the next reads of keys and lines.

#include "platform/line_editor.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace platform {

class KeyDecoder {
  public:
    // What comes within the milliseconds (-1: as long as it takes): bytes,
    // none when the time is up, nothing at the end of the input.
    using Source = std::function<std::optional<std::string>(int milliseconds)>;

    // `repaint` has the console draw its whole screen again.
    explicit KeyDecoder(Source source, std::function<void()> repaint = [] {})
        : source(std::move(source)), repaint(std::move(repaint)) {}

    // The next key for a single-key wait.
    int nextKey();
    // The next key of a typed line.
    LineKey nextLineKey();
    // A line of a pipe or a file, with its '\n' (added to a last line).
    std::string nextLine();

    // The next byte. Every read throws InputClosed at the end of the input.
    unsigned char next();
    // The next byte if one comes within the milliseconds, otherwise nothing.
    std::optional<unsigned char> nextWithin(int milliseconds);
    // Puts bytes back in front of what is still to be read, in their order.
    void keepForLater(std::string_view bytes) { ahead.insert(at, bytes); }
    // Bytes read ahead and not yet taken.
    std::size_t bytesWaiting() const { return ahead.size() - at; }

  private:
    // Reads more; false when nothing came in time or the input has ended.
    bool fill(int milliseconds);
    // The rest of a UTF-8 character whose first byte was `lead`; nothing
    // (with the bytes kept for later) when they make no character.
    std::optional<char32_t> restOfCharacter(unsigned char lead);
    // After an Escape: the cursor key's code, nothing for a sequence that is
    // no key at all, or Escape itself.
    std::optional<int> afterEscape();
    std::optional<int> controlSequence();

    Source source;
    std::function<void()> repaint;
    std::string ahead;
    std::size_t at = 0; // where the bytes not yet taken start
};

} // namespace platform
