#include "fake/fake_console.h"

#include "fake/virtual_terminal.h"
#include "platform/backend.h"
#include "platform/console.h"
#include "platform/frame_encoder.h"
#include "platform/glyph_widths.h"
#include "platform/key_decoder.h"
#include "platform/screen_model.h"
#include "platform/text_width.h"

#include <cstdio>
#include <deque>
#include <optional>

namespace {

std::optional<std::string> takeScript(int milliseconds);
struct Console;
Console& console();

struct Console {
    platform::FrameEncoder encoder = [] {
        platform::FrameEncoder e;
        e.setGlyphsNarrow(false); // the terminal in memory draws the layout glyphs wide
        e.setWindow(fake::columns, fake::lines);
        return e;
    }();
    fake::VirtualTerminal terminal{fake::columns, fake::lines};
    long long clock = 0;
    int resizes = 0;
    int pauses = 0;
    int resizeColumns = 0;
    int resizeLines = 0;
    std::deque<char> script;
    std::function<std::string(fake::Wait)> more;
    std::function<void()> look;
    fake::Wait waitingFor = fake::Wait::Key;
    bool linesWhole = false;
    platform::KeyDecoder keys{&takeScript, [] { console().encoder.forget(); }};
};

Console theConsole;

Console& console() { return theConsole; }

bool refill(fake::Wait wait) {
    Console& c = console();
    if (!c.more) {
        return false;
    }
    const std::string added = c.more(wait);
    c.script.insert(c.script.end(), added.begin(), added.end());
    return !added.empty();
}

// The script a byte at a time, so what is left of it can be counted; a wait
// with a time (the rest of a key sequence) takes only what is there already.
std::optional<std::string> takeScript(int milliseconds) {
    Console& c = console();
    if (c.script.empty() && (milliseconds >= 0 || !refill(c.waitingFor))) {
        return milliseconds >= 0 ? std::optional<std::string>("") : std::nullopt;
    }
    const char byte = c.script.front();
    c.script.pop_front();
    return std::string(1, byte);
}

platform::KeyDecoder& keys() { return console().keys; }

void awaiting(fake::Wait wait) {
    console().waitingFor = wait;
    if (console().look) {
        console().look();
    }
}

// A key waited for right behind the press-a-key prompt: a pause.
bool pausePromptBeforeCursor() {
    const platform::ScreenModel& model = platform::screenModel();
    std::string before;
    for (int x = model.cursorX() - platform::cellWidth(platform::backend::pausePrompt); x < model.cursorX(); ++x) {
        if (x >= 0 && !model.at(x, model.cursorY()).rightHalf) {
            before += platform::encodeUtf8(model.at(x, model.cursorY()).glyph);
        }
    }
    return before == platform::backend::pausePrompt;
}

const fake::VirtualTerminal& shown() {
    Console& c = console();
    c.terminal.feed(c.encoder.encode(platform::screenModel()));
    return c.terminal;
}

} // namespace

namespace platform {

std::string consoleProblem() { return ""; }
void writeErrorLine(std::string_view line) { std::fprintf(stderr, "%.*s\n", static_cast<int>(line.size()), line.data()); }
void open() {}
void close() {}

void resizeConsole(int columns, int lines) {
    screenModel().resize(columns, lines);
    ++console().resizes;
    console().resizeColumns = columns;
    console().resizeLines = lines;
}

int readKey() {
    if (pausePromptBeforeCursor()) {
        ++console().pauses;
    }
    awaiting(fake::Wait::Key);
    return keys().nextKey();
}

bool backend::linesAreTyped() { return !console().linesWhole; }

LineKey backend::nextLineKey() {
    awaiting(fake::Wait::Line);
    return keys().nextLineKey();
}

std::string backend::readRawLine() {
    awaiting(fake::Wait::Line);
    return keys().nextLine();
}

void sleepMs(int milliseconds) { console().clock += settings::pauseMs(milliseconds); }

} // namespace platform

namespace fake {

void reset() {
    console() = Console{};
    platform::screenModel() = platform::ScreenModel(columns, lines);
    platform::backend::discardTypedInput();
    platform::holdFrames(false);
}

void type(std::string_view bytes) { console().script.insert(console().script.end(), bytes.begin(), bytes.end()); }

void typeLine(std::string_view line) {
    type(line);
    type("\n");
}

void pressKey(int code) { console().script.push_back(static_cast<char>(code)); }

void measureOnTerminalDrawingNarrow(std::u32string_view narrowGlyphs) {
    Console& c = console();
    c.terminal = VirtualTerminal(columns, lines, std::u32string(narrowGlyphs));
    c.encoder.setGlyphWidths(platform::measureGlyphWidths([&c](char32_t glyph) {
        c.terminal.feed("\x1b[H" + platform::encodeUtf8(glyph));
        return c.terminal.cursorX();
    }));
    c.encoder.forget(); // the next frame clears what the measuring left
}

void whenScriptRunsOut(std::function<std::string(Wait)> more) { console().more = std::move(more); }

void readLinesWhole(bool whole) { console().linesWhole = whole; }

void atEveryWait(std::function<void()> look) { console().look = std::move(look); }

std::string row(int y) { return shown().row(y); }

std::string text(int x, int y, int cells) { return shown().text(x, y, cells); }

std::string cell(int x, int y) { return shown().cell(x, y); }

int attributeAt(int x, int y) { return shown().attributeAt(x, y); }

bool anyAttribute(int x, int y, int width, int height, int attribute) {
    const VirtualTerminal& terminal = shown();
    for (int r = y; r < y + height; ++r) {
        for (int i = x; i < x + width; ++i) {
            if (terminal.attributeAt(i, r) == attribute) {
                return true;
            }
        }
    }
    return false;
}

int terminalWraps() { return shown().wraps(); }
int terminalScrolls() { return shown().scrolls(); }
int bells() { return shown().bells(); }
int unknownSequences() { return shown().unknownSequences(); }
bool terminalCursorVisible() { return shown().cursorVisible(); }

int cursorX() { return platform::screenModel().cursorX(); }
int cursorY() { return platform::screenModel().cursorY(); }
int currentAttribute() { return platform::screenModel().attribute(); }
long long clockMs() { return console().clock; }
int clearCount() { return platform::screenModel().clears(); }
int resizeCount() { return console().resizes; }
int pauseCount() { return console().pauses; }
int lastResizeColumns() { return console().resizeColumns; }
int lastResizeLines() { return console().resizeLines; }
int refusedMoves() { return platform::screenModel().refusedMoves(); }
int droppedAtEdge() { return platform::screenModel().droppedAtEdge(); }
std::size_t scriptLeft() { return console().script.size() + console().keys.bytesWaiting(); }

std::string dump() {
    std::string out;
    for (int y = 0; y < lines; ++y) {
        out += row(y) + "\n";
    }
    return out;
}

} // namespace fake
