#include "platform/key_decoder.h"

#include "platform/console.h"
#include "platform/text_width.h"

namespace platform {

namespace {

constexpr int keyEscape = 27;
// How long the rest of an escape sequence may take to arrive; a lone Escape
// key sends nothing after it.
constexpr int sequenceGapMs = 30;

bool isParameterOrIntermediate(unsigned char byte) { return byte >= 0x20 && byte <= 0x3F; }

int cursorKeyCode(unsigned char final) {
    constexpr int codes[] = {keyCodeUp, keyCodeDown, keyCodeRight, keyCodeLeft}; // ESC [ A to D
    return codes[final - 'A'];
}

} // namespace

unsigned char KeyDecoder::nextByte() { return source.next(); }

std::optional<unsigned char> KeyDecoder::nextByteWithin(int milliseconds) { return source.nextWithin(milliseconds); }

std::optional<char32_t> KeyDecoder::restOfCharacter(unsigned char lead) {
    std::string bytes(1, static_cast<char>(lead));
    const int length = utf8Length(lead);
    while (static_cast<int>(bytes.size()) < length) {
        const auto byte = nextByteWithin(sequenceGapMs);
        if (!byte) {
            break;
        }
        bytes += static_cast<char>(*byte);
    }
    const CodePoint cp = decodeUtf8(bytes, 0);
    if (length == 1 || cp.length != bytes.size()) {
        source.keepForLater(std::string_view(bytes).substr(1));
        return std::nullopt;
    }
    return cp.value;
}

int KeyDecoder::nextKey() {
    if (secondCode) {
        const int code = *secondCode;
        secondCode.reset();
        return code;
    }
    for (;;) {
        const unsigned char byte = nextByte();
        if (byte == '\r' || byte == '\n') {
            return keyEnter;
        }
        if (byte >= 0x80) {
            const auto c = restOfCharacter(byte);
            return c ? static_cast<int>(*c) : byte;
        }
        if (byte != keyEscape) {
            return byte;
        }
        if (const auto key = afterEscape()) {
            return *key;
        }
    }
}

LineKey KeyDecoder::nextLineKey() {
    const unsigned char byte = nextByte();
    if (byte == keyEscape) {
        afterEscape(); // cursor keys, function keys and paste marks edit nothing
        secondCode.reset();
        return {LineKey::Kind::none};
    }
    if (byte >= 0x80) {
        const auto c = restOfCharacter(byte);
        return {LineKey::Kind::character, c ? *c : U'?'};
    }
    return lineKeyFor(byte);
}

std::optional<int> KeyDecoder::afterEscape() {
    const auto introducer = nextByteWithin(sequenceGapMs);
    if (!introducer) {
        return keyEscape;
    }
    if (*introducer == '[') {
        return controlSequence();
    }
    if (*introducer != 'O') {
        source.keepForLater(std::string(1, static_cast<char>(*introducer)));
        return keyEscape;
    }
    const auto final = nextByteWithin(sequenceGapMs);
    if (final && *final >= 'A' && *final <= 'D') {
        secondCode = cursorKeyCode(*final);
        return keyExtendedPrefix;
    }
    return keyEscape;
}

std::optional<int> KeyDecoder::controlSequence() {
    std::string parameters;
    for (;;) {
        const auto byte = nextByteWithin(sequenceGapMs);
        if (!byte) {
            return keyEscape;
        }
        if (isParameterOrIntermediate(*byte)) {
            parameters += static_cast<char>(*byte);
            continue;
        }
        if (*byte == 'R' && !parameters.empty()) {
            return std::nullopt; // the terminal telling where its cursor is
        }
        if (*byte == '~' && (parameters == "200" || parameters == "201")) {
            return std::nullopt; // the marks around pasted text
        }
        if (*byte >= 'A' && *byte <= 'D') {
            secondCode = cursorKeyCode(*byte);
            return keyExtendedPrefix;
        }
        return keyEscape;
    }
}

} // namespace platform
