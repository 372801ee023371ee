#include "platform/typed_input.h"

#include "platform/console.h"
#include "platform/text_width.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

namespace platform {

std::string lineOfBytes(const std::function<unsigned char()>& nextByte) {
    std::string line;
    while (line.empty() || line.back() != '\n') {
        try {
            line += static_cast<char>(nextByte());
        } catch (const InputClosed&) {
            if (line.empty()) {
                throw;
            }
            line += '\n';
        }
    }
    return line;
}

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }
bool isSpace(char c) { return isBlank(c) || c == '\n'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

} // namespace

void TypedInput::skipBlanks(bool acrossLines) {
    std::size_t at = 0;
    while (at < pending.size() && (acrossLines ? isSpace(pending[at]) : isBlank(pending[at]))) {
        ++at;
    }
    pending.erase(0, at);
}

void TypedInput::dropFinishedLine() {
    for (char c : pending) {
        if (c == '\n') {
            pending.clear();
            return;
        }
        if (!isBlank(c)) {
            return;
        }
    }
}

std::string TypedInput::readWord() {
    skipBlanks(true);
    while (pending.empty()) {
        pending = nextLine();
        skipBlanks(true);
    }
    std::size_t end = 0;
    while (end < pending.size() && !isSpace(pending[end])) {
        ++end;
    }
    std::string word = pending.substr(0, end);
    pending.erase(0, end);
    dropFinishedLine();
    return sanitizeTyped(word);
}

std::optional<int> TypedInput::readInt() {
    if (pending.empty()) {
        pending = nextLine();
    }
    skipBlanks(false);
    std::size_t at = 0;
    const bool negative = at < pending.size() && pending[at] == '-';
    if (at < pending.size() && (pending[at] == '-' || pending[at] == '+')) {
        ++at;
    }
    const std::size_t digitsStart = at;
    std::int64_t value = 0;
    bool tooLarge = false;
    while (at < pending.size() && isDigit(pending[at])) {
        value = value * 10 + (pending[at] - '0');
        tooLarge = tooLarge || value > std::int64_t{INT32_MAX} + 1;
        if (tooLarge) {
            value = 0;
        }
        ++at;
    }
    const bool wholeItem = at == pending.size() || isSpace(pending[at]);
    if (at == digitsStart || !wholeItem || tooLarge) {
        pending.clear();
        return std::nullopt;
    }
    const std::int64_t signedValue = negative ? -value : value;
    if (signedValue > INT32_MAX) {
        pending.clear();
        return std::nullopt;
    }
    pending.erase(0, at);
    dropFinishedLine();
    return static_cast<int>(signedValue);
}

} // namespace platform
