#include "platform/key_decoder.h"

#include "platform/console.h"
#include "platform/text_width.h"

namespace platform {

namespace {

// How long the rest of an escape sequence may take to arrive; a lone Escape
// key sends nothing after it.
constexpr int sequenceGapMs = 30;

bool isParameterOrIntermediate(unsigned char byte) { return byte >= 0x20 && byte <= 0x3F; }

int cursorKey(unsigned char final) {
    constexpr int keys[] = {keyUp, keyDown, keyRight, keyLeft}; // ESC [ A to D
    return keys[final - 'A'];
}

} // namespace

bool KeyDecoder::fill(int milliseconds) {
    for (;;) {
        const std::optional<std::string> bytes = source(milliseconds);
        if (bytes && !bytes->empty()) {
            ahead.erase(0, at);
            at = 0;
            ahead += *bytes;
            return true;
        }
        if (!bytes || milliseconds >= 0) {
            return false;
        }
    }
}

unsigned char KeyDecoder::next() {
    if (bytesWaiting() == 0 && !fill(-1)) {
        throw InputClosed();
    }
    return static_cast<unsigned char>(ahead[at++]);
}

std::optional<unsigned char> KeyDecoder::nextWithin(int milliseconds) {
    if (bytesWaiting() == 0 && !fill(milliseconds)) {
        return std::nullopt;
    }
    return next();
}

std::string KeyDecoder::nextLine() {
    std::string line(1, static_cast<char>(next()));
    while (line.back() != '\n') {
        const auto byte = nextWithin(-1);
        line += byte ? static_cast<char>(*byte) : '\n';
    }
    return line;
}

std::optional<char32_t> KeyDecoder::restOfCharacter(unsigned char lead) {
    const auto length = static_cast<std::size_t>(utf8Length(lead));
    while (bytesWaiting() + 1 < length && fill(sequenceGapMs)) {
    }
    // Bytes that make no character with the lead stay to be read as keys.
    std::string bytes(1, static_cast<char>(lead));
    const CodePoint cp = decodeUtf8(bytes.append(ahead, at, length - 1), 0);
    if (length == 1 || cp.length != length) {
        return std::nullopt;
    }
    at += length - 1;
    return cp.value;
}

int KeyDecoder::nextKey() {
    for (;;) {
        const unsigned char byte = next();
        if (byte == repaintKey) {
            repaint();
            continue;
        }
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
    const unsigned char byte = next();
    if (byte == keyEscape) {
        afterEscape(); // cursor keys, function keys and paste marks edit nothing
        return {LineKey::Kind::none};
    }
    if (byte == repaintKey) {
        repaint();
        return {LineKey::Kind::none};
    }
    if (byte >= 0x80) {
        const auto c = restOfCharacter(byte);
        return {LineKey::Kind::character, c ? *c : U'?'};
    }
    return lineKeyFor(byte);
}

std::optional<int> KeyDecoder::afterEscape() {
    const auto introducer = nextWithin(sequenceGapMs);
    if (introducer == '[') {
        return controlSequence();
    }
    if (introducer == 'O') {
        const auto final = nextWithin(sequenceGapMs);
        return final && *final >= 'A' && *final <= 'D' ? cursorKey(*final) : keyEscape;
    }
    // A key pressed with Alt is one key; a control after the Escape is a key
    // of its own.
    if (introducer && (*introducer < 0x20 || *introducer >= 0x7F)) {
        --at; // the byte just taken, put back
    }
    return keyEscape;
}

std::optional<int> KeyDecoder::controlSequence() {
    std::string parameters;
    for (;;) {
        const auto byte = nextWithin(sequenceGapMs);
        if (!byte) {
            return keyEscape;
        }
        if (*byte == '[' && parameters.empty()) {
            nextWithin(sequenceGapMs); // a function key of the Linux console: ESC [ [ A to E
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
            return cursorKey(*byte);
        }
        return keyEscape;
    }
}

} // namespace platform
