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
    struct Case {
        const char* name;
        std::string bytes;
        std::vector<int> codes;
    };
    const std::vector<Case> cases = {
        {"letters", "sw", {'s', 'w'}},
        {"Enter as carriage return or line feed", "\r\n", {13, 13}},
        {"cursor keys", "\x1b[A\x1b[B\x1b[C\x1b[D", {224, 72, 224, 80, 224, 77, 224, 75}},
        {"cursor keys in application mode", "\x1bOA\x1bOD", {224, 72, 224, 75}},
        {"cursor key with a modifier", "\x1b[1;5C", {224, 77}},
        {"late cursor report is no key", "\x1b[12;40Rs", {'s'}},
        {"paste marks are no keys", "\x1b[200~s\x1b[201~", {'s'}},
        {"function key is one Escape", "\x1b[15~s", {27, 's'}},
        {"Escape then a letter", "\x1bx", {27, 'x'}},
        {"lone Escape at the end", "\x1b", {27}},
        {"a Hangul syllable is one key", "가s", {0xAC00, 's'}},
        {"a broken character is its bytes", "\xEA" "s\xB0", {0xEA, 's', 0xB0}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(keysUntilEnd(c.bytes), c.codes) << c.name;
    }
}
