#include "platform/line_editor.h"

#include "platform/text_width.h"

#include <cstddef>
#include <utility>
#include <vector>

namespace platform {

namespace {

// The cursor shows while a line is typed, however the reading ends.
struct CursorShown {
    ScreenModel& model;
    explicit CursorShown(ScreenModel& m) : model(m) { model.setCursorVisible(true); }
    ~CursorShown() { model.setCursorVisible(false); }
    CursorShown(const CursorShown&) = delete;
    CursorShown& operator=(const CursorShown&) = delete;
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
    const int startX = model.cursorX();
    const int row = model.cursorY();
    // Each character typed, and the cell on the screen where it starts.
    std::vector<std::pair<std::string, int>> typed;
    int end = startX;
    // Blanks the cells from `x` to the end of the line and puts the cursor there.
    const auto cutAt = [&](int x) {
        model.moveCursor(x, row);
        model.write(std::string(static_cast<std::size_t>(end - x), ' '));
        model.moveCursor(end = x, row);
    };
    for (;;) {
        const LineKey key = nextKey();
        if (key.kind == LineKey::Kind::character) {
            const std::string shown = encodeUtf8(isShowable(key.character) ? key.character : U'?');
            const int cells = cellWidth(shown);
            if (end + cells > edge) {
                model.ringBell();
                continue;
            }
            model.moveCursor(end, row);
            model.write(shown);
            typed.emplace_back(shown, end);
            end += cells;
        } else if (key.kind == LineKey::Kind::erase && !typed.empty()) {
            cutAt(typed.back().second);
            typed.pop_back();
        } else if (key.kind == LineKey::Kind::eraseLine) {
            cutAt(startX);
            typed.clear();
        } else if (key.kind == LineKey::Kind::endOfInput && typed.empty()) {
            throw InputClosed();
        } else if (key.kind == LineKey::Kind::enter) {
            std::string line;
            for (const auto& [text, at] : typed) {
                line += text;
            }
            // A line of nothing but blanks waits on, as a read of a word or a number does.
            if (line.find_first_not_of(' ') != std::string::npos) {
                model.setAttribute(attribute);
                return line;
            }
        }
    }
}

} // namespace platform
