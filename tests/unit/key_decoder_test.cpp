// Keys as the game reads them, from the bytes terminals send.
#include "platform/console.h"
#include "platform/key_decoder.h"
#include "support/byte_script.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

using platform::KeyDecoder;

namespace {

std::vector<int> keysUntilEnd(const std::string& bytes) {
    KeyDecoder keys(bytesOf(bytes));
    std::vector<int> codes;
    try {
        for (;;) {
            codes.push_back(keys.nextKey());
        }
    } catch (const platform::InputClosed&) {
    }
    return codes;
}

} // namespace

TEST(KeyDecoder, TurnsTerminalBytesIntoConsoleKeyCodes) {
    constexpr int up = platform::keyUp, down = platform::keyDown, right = platform::keyRight, left = platform::keyLeft;
    struct Case {
        const char* name;
        std::string bytes;
        std::vector<int> codes;
    };
    const std::vector<Case> cases = {
        {"letters", "sw", {'s', 'w'}},
        {"Enter as carriage return or line feed", "\r\n", {13, 13}},
        {"cursor keys", "\x1b[A\x1b[B\x1b[C\x1b[D", {up, down, right, left}},
        {"cursor keys in application mode", "\x1bOA\x1bOD", {up, left}},
        {"cursor key with a modifier", "\x1b[1;5C", {right}},
        {"late cursor report is no key", "\x1b[12;40Rs", {'s'}},
        {"paste marks are no keys", "\x1b[200~s\x1b[201~", {'s'}},
        {"function keys are one Escape each", "\x1b[15~s\x1bOP\x1b[[A\x1b[1;2Q", {27, 's', 27, 27, 27}},
        {"a letter with Alt is one key", "\x1bxs", {27, 's'}},
        {"Escape then Enter", "\x1b\r", {27, 13}},
        {"Ctrl-L is no key", "\x0cs\x0c", {'s'}},
        {"lone Escape at the end", "\x1b", {27}},
        {"a Hangul syllable is one key", "가s", {0xAC00, 's'}},
        {"a broken character is its bytes", "\xEA" "s\xB0", {0xEA, 's', 0xB0}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(keysUntilEnd(c.bytes), c.codes) << c.name;
    }
}

// Ctrl-L has the screen drawn again, at a key wait and in a typed line alike,
// and is neither a key nor a character of the line.
TEST(KeyDecoder, CtrlLAsksForARepaintAndIsNoKey) {
    int repaints = 0;
    KeyDecoder keys(bytesOf("\x0cs\x0c"), [&] { ++repaints; });
    EXPECT_EQ(keys.nextKey(), 's');
    EXPECT_EQ(repaints, 1);
    EXPECT_EQ(keys.nextLineKey().kind, platform::LineKey::Kind::none);
    EXPECT_EQ(repaints, 2);
}
