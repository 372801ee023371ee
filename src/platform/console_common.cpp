// The parts of the console layer that every backend shares: the game draws
// into the one screen model, and typed words and numbers are cut from typed
// lines the same way everywhere.
#include "platform/backend.h"
#include "platform/console.h"
#include "platform/screen_model.h"
#include "platform/text_width.h"

#include <charconv>
#include <cmath>
#include <cstddef>
#include <system_error>
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
    const char* first = pending.data();
    const char* last = first + pending.size();
    // A plus sign may stand before the digits, as before a minus sign.
    if (last - first > 1 && first[0] == '+' && isDigit(first[1])) {
        ++first;
    }
    int value = 0;
    const auto [end, error] = std::from_chars(first, last, value);
    if (error != std::errc() || (end != last && !isSpace(*end))) {
        pending.clear();
        return std::nullopt;
    }
    pending.erase(0, static_cast<std::size_t>(end - pending.data()));
    dropFinishedLine();
    return value;
}

int typedCells() { return answerCells; }

void pause() {
    write(backend::pausePrompt);
    readKey();
    write("\n");
}

} // namespace platform
