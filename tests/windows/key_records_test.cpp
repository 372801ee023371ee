// The key presses the Windows console's input records make: one key per
// press and per repeat a record counts, characters whole across surrogate
// pairs, a character carried by Alt's release, and no key for releases,
// modifiers, the input method's composing or other events.
#include "platform/console.h"
#include "platform/windows/key_records.h"
#include "windows/input_records.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using platform::windows::KeyRecords;

INPUT_RECORD press(WORD virtualKey, wchar_t character, WORD repeat = 1) {
    return inputRecords::key(true, virtualKey, character, repeat);
}
INPUT_RECORD release(WORD virtualKey, wchar_t character = 0) {
    return inputRecords::key(false, virtualKey, character);
}

// The keys readKey gives for the records, in their order.
std::vector<int> keysOf(const std::vector<INPUT_RECORD>& records) {
    KeyRecords decoder;
    std::vector<int> keys;
    for (const INPUT_RECORD& record : records) {
        decoder.take(record);
        while (const auto pressed = decoder.next()) {
            keys.push_back(pressed->code());
        }
    }
    return keys;
}

TEST(KeyRecords, PressesAsTheGameReadsThem) {
    struct Case {
        const char* what;
        std::vector<INPUT_RECORD> records;
        std::vector<int> keys;
    };
    const std::vector<Case> cases = {
        {"a press and its release", {press('S', L's'), release('S', L's')}, {'s'}},
        {"a held key gathered into one record", {press('S', L's', 3)}, {'s', 's', 's'}},
        {"a record that counts no repeat", {press('W', L'w', 0)}, {'w'}},
        {"a Hangul letter from the input method", {press(VK_PROCESSKEY, 0), press(0, L'ㄴ')}, {0x3134}},
        {"Shift, Ctrl and Caps Lock alone", {press(VK_SHIFT, 0), press(VK_CONTROL, 0), press(VK_CAPITAL, 0)}, {}},
        {"the cursor keys and a function key", {press(VK_UP, 0), press(VK_DOWN, 0, 2), press(VK_F5, 0)},
         {platform::keyUp, platform::keyDown, platform::keyDown, platform::keyEscape}},
        {"Alt and the number pad: the character comes with Alt's release",
         {press(VK_MENU, 0), press(VK_NUMPAD1, 0), release(VK_NUMPAD1), press(VK_NUMPAD1, 0), release(VK_NUMPAD1),
          press(VK_NUMPAD5, 0), release(VK_NUMPAD5), release(VK_MENU, L's')},
         {'s'}},
        {"Alt released without a character", {press(VK_MENU, 0), release(VK_MENU)}, {}},
        {"a character beyond the first plane, in two records", {press(0, 0xD83D), press(0, 0xDE80)}, {0x1F680}},
        {"half a pair", {press(0, 0xDE80)}, {}},
        {"a window event among the keys",
         {press('A', L'a'), inputRecords::windowSize(162, 42), press(VK_RETURN, L'\r')},
         {'a', platform::keyEnter}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(keysOf(c.records), c.keys) << c.what;
    }
}

} // namespace
