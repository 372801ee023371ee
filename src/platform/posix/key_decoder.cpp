#include "platform/posix/key_decoder.h"

#include "platform/console.h"

namespace platform::posix {

namespace {

constexpr int keyEscape = 27;
// How long the rest of an escape sequence may take to arrive; a lone Escape
// key sends nothing after it.
constexpr int sequenceGapMs = 30;

bool isParameterOrIntermediate(unsigned char byte) { return byte >= 0x20 && byte <= 0x3F; }

int cursorKeyCode(unsigned char final) {
    constexpr int codes[] = {72, 80, 77, 75}; // up, down, right, left
    return codes[final - 'A'];
}

} // namespace

int KeyDecoder::next() {
    if (secondCode) {
        const int code = *secondCode;
        secondCode.reset();
        return code;
    }
    for (;;) {
        const unsigned char byte = input.next();
        if (byte == '\r' || byte == '\n') {
            return keyEnter;
        }
        if (byte != keyEscape) {
            return byte;
        }
        if (const auto key = afterEscape()) {
            return *key;
        }
    }
}

std::optional<int> KeyDecoder::afterEscape() {
    const auto introducer = input.nextWithin(sequenceGapMs);
    if (!introducer) {
        return keyEscape;
    }
    if (*introducer == '[') {
        return controlSequence();
    }
    if (*introducer != 'O') {
        input.keepForLater(std::string(1, static_cast<char>(*introducer)));
        return keyEscape;
    }
    const auto final = input.nextWithin(sequenceGapMs);
    if (final && *final >= 'A' && *final <= 'D') {
        secondCode = cursorKeyCode(*final);
        return keyExtendedPrefix;
    }
    return keyEscape;
}

std::optional<int> KeyDecoder::controlSequence() {
    bool withParameters = false;
    for (;;) {
        const auto byte = input.nextWithin(sequenceGapMs);
        if (!byte) {
            return keyEscape;
        }
        if (isParameterOrIntermediate(*byte)) {
            withParameters = true;
            continue;
        }
        if (*byte == 'R' && withParameters) {
            return std::nullopt; // the terminal telling where its cursor is
        }
        if (*byte >= 'A' && *byte <= 'D') {
            secondCode = cursorKeyCode(*byte);
            return keyExtendedPrefix;
        }
        return keyEscape;
    }
}

} // namespace platform::posix
