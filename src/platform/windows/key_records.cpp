#include "platform/windows/key_records.h"

#include "platform/console.h"

#include <algorithm>

namespace platform::windows {

int KeyPress::code() const { return character == 0 ? *keyTypingNothing(key) : static_cast<int>(character); }

std::optional<int> keyTypingNothing(WORD key) {
    static_assert(VK_UP == VK_LEFT + 1 && VK_RIGHT == VK_LEFT + 2 && VK_DOWN == VK_LEFT + 3);
    if (key >= VK_LEFT && key <= VK_DOWN) {
        constexpr int cursorKeys[] = {keyLeft, keyUp, keyRight, keyDown};
        return cursorKeys[key - VK_LEFT];
    }
    if ((key >= VK_PRIOR && key <= VK_HELP) || (key >= VK_F1 && key <= VK_F24)) {
        return keyEscape;
    }
    return std::nullopt;
}

std::optional<char32_t> KeyRecords::characterOf(const KEY_EVENT_RECORD& key) {
    char32_t c = static_cast<char16_t>(key.uChar.UnicodeChar);
    if (c >= 0xD800 && c <= 0xDBFF) { // the first half of a surrogate pair
        highSurrogate = static_cast<char16_t>(c);
        return std::nullopt;
    }
    if (c >= 0xDC00 && c <= 0xDFFF) {
        if (highSurrogate == 0) {
            return std::nullopt;
        }
        c = 0x10000 + ((highSurrogate - 0xD800) << 10) + (c - 0xDC00);
    }
    highSurrogate = 0;
    if (c == 0 && !keyTypingNothing(key.wVirtualKeyCode)) {
        return std::nullopt;
    }
    return c;
}

void KeyRecords::take(const INPUT_RECORD& record) {
    const KEY_EVENT_RECORD& key = record.Event.KeyEvent;
    if (record.EventType != KEY_EVENT || key.wVirtualKeyCode == VK_PROCESSKEY) {
        return; // no key, or the input method still composing
    }
    const bool altCarriesCharacter = key.wVirtualKeyCode == VK_MENU && key.uChar.UnicodeChar != 0;
    if (!key.bKeyDown && !altCarriesCharacter) {
        return;
    }
    if (const std::optional<char32_t> c = characterOf(key)) {
        press = KeyPress{*c, key.wVirtualKeyCode};
        pressesLeft = std::max<int>(key.wRepeatCount, 1);
    }
}

std::optional<KeyPress> KeyRecords::next() {
    if (pressesLeft == 0) {
        return std::nullopt;
    }
    --pressesLeft;
    return press;
}

} // namespace platform::windows
