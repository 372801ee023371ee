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
    answerCells = 0;
    return typedInput().readWord();
}

std::optional<int> readInt() {
    answerCells = 0;
    return typedInput().readInt();
}

int typedCells() { return answerCells; }

void pause() {
    write(backend::pausePrompt);
    readKey();
    write("\n");
}

} // namespace platform
