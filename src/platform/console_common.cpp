// The parts of the console layer that every backend shares: the game draws
// into the one screen model, and typed words and numbers are cut from typed
// lines the same way everywhere.
#include "platform/backend.h"
#include "platform/console.h"
#include "platform/screen_model.h"
#include "platform/text_width.h"

#include <algorithm>
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
bool framesAreHeld = false;

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

// Blanks within a line, and with the line's end.
constexpr std::string_view blanks = " \t\r\v\f";
constexpr std::string_view spaces = " \t\r\v\f\n";

// What is left of the last typed line: words and numbers are taken from it
// one item at a time, the way formatted extraction from standard input takes
// them, and the rest stays for the next read.
std::string pending;

void skip(std::string_view which) { pending.erase(0, pending.find_first_not_of(which)); }

// Drops the rest of the line when only blanks and its end are left, so a
// finished answer does not leave an empty line behind for the next read.
void dropFinishedLine() {
    const std::size_t at = pending.find_first_not_of(blanks);
    if (at != std::string::npos && pending[at] == '\n') {
        pending.clear();
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

void holdFrames(bool held) { framesAreHeld = held; }

bool settings::framesHeld() { return framesAreHeld; }

int settings::pauseMs(int askedMs) {
    const int pause = askedMs > 0 && !framesAreHeld ? static_cast<int>(std::lround(askedMs * pace)) : 0;
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
    skip(spaces);
    while (pending.empty()) {
        pending = readTypedLine();
        skip(spaces);
    }
    const std::size_t end = std::min(pending.find_first_of(spaces), pending.size());
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
    skip(blanks);
    const char* first = pending.data();
    const char* last = first + pending.size();
    // A plus sign may stand before the digits, as before a minus sign.
    if (last - first > 1 && first[0] == '+' && first[1] >= '0' && first[1] <= '9') {
        ++first;
    }
    int value = 0;
    const auto [end, error] = std::from_chars(first, last, value);
    if (error != std::errc() || (end != last && spaces.find(*end) == std::string_view::npos)) {
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
