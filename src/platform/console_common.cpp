// The parts of the console layer that every backend shares: the game draws
// into the one screen model, and typed words and numbers are cut from typed
// lines the same way everywhere.
#include "platform/backend.h"
#include "platform/console.h"
#include "platform/screen_model.h"
#include "platform/text_width.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

namespace {

// The console the table asks for, until it asks.
constexpr int startColumns = 162;
constexpr int startLines = 42;

std::optional<int> typingEdge;
double pace = 1.0;
bool colour = true;
long long paused = 0;

// The cells the typed line behind the last read's answer took on the
// screen: none when the answer came from a line read before, or from a pipe.
int answerCells = 0;

std::string readTypedLine() {
    if (!backend::linesAreTyped()) {
        return backend::readRawLine();
    }
    ScreenModel& model = screenModel();
    const std::string line = editLine(model, typingEdge.value_or(model.columns()), &backend::nextLineKey);
    answerCells = cellWidth(line);
    return line + '\n';
}

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }
bool isSpace(char c) { return isBlank(c) || c == '\n'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

// What is left of the last typed line: words and numbers are taken from it
// one item at a time, the way formatted extraction from standard input takes
// them, and the rest stays for the next read.
std::string pending;

void skipBlanks(bool acrossLines) {
    std::size_t at = 0;
    while (at < pending.size() && (acrossLines ? isSpace(pending[at]) : isBlank(pending[at]))) {
        ++at;
    }
    pending.erase(0, at);
}

// Drops the rest of the line when only blanks and its end are left, so a
// finished answer does not leave an empty line behind for the next read.
void dropFinishedLine() {
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

} // namespace

ScreenModel& screenModel() {
    static ScreenModel model(startColumns, startLines);
    return model;
}

void moveCursor(int x, int y) { screenModel().moveCursor(x, y); }

void setPace(double factor) { pace = factor >= 0 ? factor : 1.0; }

void setColour(bool on) { colour = on; }

int settings::pauseMs(int askedMs) {
    if (askedMs <= 0) {
        return 0;
    }
    const int pause = static_cast<int>(std::lround(askedMs * pace));
    paused += pause;
    return pause;
}

long long settings::pausedMs() { return paused; }

void setAttribute(int attribute) { screenModel().setAttribute(colour ? attribute : attrNormal); }

void write(std::string_view text) { screenModel().write(text); }

void clearScreen() { screenModel().clear(); }

void setTypingEdge(int column) { typingEdge = column; }

void backend::discardTypedInput() { pending.clear(); }

std::string readWord() {
    answerCells = 0;
    skipBlanks(true);
    while (pending.empty()) {
        pending = readTypedLine();
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

std::optional<int> readInt() {
    answerCells = 0;
    if (pending.empty()) {
        pending = readTypedLine();
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

int typedCells() { return answerCells; }

void pause() {
    write(backend::pausePrompt);
    readKey();
    write("\n");
}

} // namespace platform
