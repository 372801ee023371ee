// The parts of the console layer that every backend shares: the game draws
// into the one screen model, and typed words and numbers are cut from typed
// lines the same way everywhere.
#include "platform/backend.h"
#include "platform/console.h"
#include "platform/console_settings.h"
#include "platform/screen_model.h"
#include "platform/text_width.h"
#include "platform/typed_input.h"

#include <optional>
#include <string>
#include <string_view>

namespace platform {

namespace {

// The console the table asks for, until it asks.
constexpr int startColumns = 162;
constexpr int startLines = 42;

std::optional<int> typingEdge;

// The lines read so far and the cells the last one was echoed in, to tell
// what the last read's answer took on the screen.
int linesRead = 0;
int lineCells = 0;
int answerCells = 0;

std::string readTypedLine() {
    ++linesRead;
    lineCells = 0;
    if (!backend::linesAreTyped()) {
        return backend::readRawLine();
    }
    ScreenModel& model = screenModel();
    const std::string line = editLine(model, typingEdge.value_or(model.columns()), &backend::nextLineKey);
    lineCells = cellWidth(line);
    return line + '\n';
}

// Runs a read and notes the cells its answer took on the screen.
template <typename Read> auto answered(Read read) {
    const int before = linesRead;
    answerCells = 0;
    auto answer = read();
    answerCells = linesRead != before ? lineCells : 0;
    return answer;
}

TypedInput& typedInput() {
    static TypedInput input(&readTypedLine);
    return input;
}

} // namespace

ScreenModel& screenModel() {
    static ScreenModel model(startColumns, startLines);
    return model;
}

void moveCursor(int x, int y) { screenModel().moveCursor(x, y); }

void setAttribute(int attribute) { screenModel().setAttribute(settings::shownAttribute(attribute)); }

void write(std::string_view text) { screenModel().write(text); }

void clearScreen() { screenModel().clear(); }

void setTypingEdge(int column) { typingEdge = column; }

void backend::discardTypedInput() { typedInput().discardLine(); }

std::string readWord() {
    return answered([] { return typedInput().readWord(); });
}

std::optional<int> readInt() {
    return answered([] { return typedInput().readInt(); });
}

int typedCells() { return answerCells; }

} // namespace platform
