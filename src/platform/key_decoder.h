#pragma once
// Key presses as the game reads them, from the bytes a terminal sends (or a
// test script): Enter is 13 whichever line end comes, a cursor key is its
// one code (keyUp and the others), a character of several UTF-8 bytes is
// one key. Other escape sequences (function keys, the terminal's late
// answers, the marks around pasted text) never reach the game as a string of
// odd keys: they count as one Escape, or as nothing at all. Ctrl-L asks for
// the screen to be drawn again and is no key at all.

#include "platform/line_editor.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace platform {

// Where the keys come from.
struct ByteSource {
    // The next byte; throws InputClosed at the end of the input.
    std::function<unsigned char()> next;
    // The next byte if one comes within the milliseconds, otherwise nothing.
    std::function<std::optional<unsigned char>(int)> nextWithin;
    // Puts bytes read ahead back in front of what is still to be read: the
    // source's buffer is the one that holds typed input read ahead.
    std::function<void(std::string_view)> keepForLater;
};

// A line of a pipe or a file from its bytes: everything
// up to and including the next '\n', a last line without one getting one.
// `nextByte` throws InputClosed at the end of the input; so does this, when
// nothing at all is left.
std::string lineOfBytes(const std::function<unsigned char()>& nextByte);

class KeyDecoder {
  public:
    // `repaint` has the console draw its whole screen again at its next
    // frame.
    explicit KeyDecoder(ByteSource source, std::function<void()> repaint = [] {})
        : source(std::move(source)), repaint(std::move(repaint)) {}

    // The next key for a single-key wait.
    int nextKey();
    // The next key of a typed line.
    LineKey nextLineKey();

  private:
    // The rest of a UTF-8 character whose first byte was `lead`; nothing
    // (with the bytes kept for later) when they make no character.
    std::optional<char32_t> restOfCharacter(unsigned char lead);
    // After an Escape: the cursor key's code, nothing for a sequence that is
    // no key at all, or Escape itself.
    std::optional<int> afterEscape();
    std::optional<int> controlSequence();

    ByteSource source;
    std::function<void()> repaint;
};

} // namespace platform
