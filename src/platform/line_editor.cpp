#include "platform/line_editor.h"

#include "platform/text_width.h"

#include <cstddef>
#include <vector>

namespace platform {

namespace {

struct Typed {
    std::string text;
    int cells;
};

class Line {
  public:
    Line(ScreenModel& model, int edge) : model(model), edge(edge), startX(model.cursorX()), row(model.cursorY()) {}

    void add(char32_t c) {
        const char32_t shown = isShowable(c) ? c : U'?';
        const int cells = cellWidth(shown);
        if (startX + width + cells > edge) {
            model.ringBell();
            return;
        }
        typed.push_back({encodeUtf8(shown), cells});
        model.moveCursor(startX + width, row);
        model.write(typed.back().text);
        width += cells;
    }

    void eraseLast() {
        if (typed.empty()) {
            return;
        }
        blankFrom(width - typed.back().cells);
        typed.pop_back();
    }

    void eraseAll() {
        blankFrom(0);
        typed.clear();
    }

    bool isBlank() const {
        for (const Typed& t : typed) {
            if (t.text != " ") {
                return false;
            }
        }
        return true;
    }

    bool isEmpty() const { return typed.empty(); }

    std::string text() const {
        std::string line;
        for (const Typed& t : typed) {
            line += t.text;
        }
        return line;
    }

  private:
    void blankFrom(int cells) {
        model.moveCursor(startX + cells, row);
        model.write(std::string(static_cast<std::size_t>(width - cells), ' '));
        width = cells;
        model.moveCursor(startX + width, row);
    }

    ScreenModel& model;
    int edge;
    int startX;
    int row;
    int width = 0;
    std::vector<Typed> typed;
};

// The cursor shows while a line is typed, however the reading ends.
class CursorShown {
  public:
    explicit CursorShown(ScreenModel& model) : model(model) { model.setCursorVisible(true); }
    ~CursorShown() { model.setCursorVisible(false); }
    CursorShown(const CursorShown&) = delete;
    CursorShown& operator=(const CursorShown&) = delete;

  private:
    ScreenModel& model;
};

} // namespace

LineKey lineKeyFor(char32_t c) {
    using Kind = LineKey::Kind;
    switch (c) {
    case U'\r':
    case U'\n':
        return {Kind::enter};
    case 0x7F:
    case 0x08:
        return {Kind::erase};
    case 0x15:
        return {Kind::eraseLine};
    case 0x04:
        return {Kind::endOfInput};
    default:
        return c < 0x20 ? LineKey{Kind::none} : LineKey{Kind::character, c};
    }
}

std::string editLine(ScreenModel& model, int edge, const std::function<LineKey()>& nextKey) {
    const int attribute = model.attribute();
    model.setAttribute(attrNormal);
    const CursorShown cursor(model);
    Line line(model, edge);
    for (;;) {
        const LineKey key = nextKey();
        switch (key.kind) {
        case LineKey::Kind::character:
            line.add(key.character);
            break;
        case LineKey::Kind::erase:
            line.eraseLast();
            break;
        case LineKey::Kind::eraseLine:
            line.eraseAll();
            break;
        case LineKey::Kind::endOfInput:
            if (line.isEmpty()) {
                throw InputClosed();
            }
            break;
        case LineKey::Kind::enter:
            if (!line.isBlank()) {
                model.setAttribute(attribute);
                return line.text();
            }
            break;
        case LineKey::Kind::none:
            break;
        }
    }
}

} // namespace platform
