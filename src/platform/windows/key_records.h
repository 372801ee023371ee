#pragma once
// The key presses in the Windows console's input records, as the game reads
// them: in Unicode, so a key typed through an input method (Korean among
// them) is the character it makes; one press one key. A held key's repeats,
// which the console may gather into one record, are a press each. Releases
// are no keys, but for Alt's when it carries a character: a character typed
// as Alt and its number on the number pad, or pasted where no key types it,
// comes only there. The input method's own composing is no key either.
#include "files/windows_api.h"

#include <optional>

namespace platform::windows {

struct KeyPress {
    char32_t character; // 0 for a key that types nothing
    WORD key;           // the key's virtual-key code

    // The key as readKey gives it: the character, or the code of a key that
    // types none.
    int code() const;
};

// The code of a key that types no character: a cursor key its own code, a
// function key or another key of its own (Home, Insert, …) Escape; nothing
// for a modifier (Shift, Ctrl, Caps Lock …), which is no key of its own.
std::optional<int> keyTypingNothing(WORD key);

class KeyRecords {
  public:
    // Takes the console's next input record, once the presses of the one
    // before are taken (a record's presses replace any left).
    void take(const INPUT_RECORD& record);
    // The next press of the records taken, if one is left, and takes it.
    std::optional<KeyPress> next();

  private:
    // The character of a key record: whole when it completes a surrogate
    // pair, nothing for a key or a half that types none.
    std::optional<char32_t> characterOf(const KEY_EVENT_RECORD& key);

    char16_t highSurrogate = 0;
    KeyPress press{0, 0};
    int pressesLeft = 0;
};

} // namespace platform::windows
