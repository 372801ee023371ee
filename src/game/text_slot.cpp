#include "game/text_slot.h"

#include "console/screen.h"
#include "platform/console.h"
#include "platform/text_width.h"

#include <string>

void TextSlot::show(const std::string& text) {
    wipe();
    screen::printCenteredWithin(text, where.x, where.y, span);
    const int cells = platform::cellWidth(text);
    shownText = text;
    extents.push_back({screen::centredStartWithin(cells, where.x, span), cells});
}

void TextSlot::holdTyped(int cells) {
    if (cells > 0 && !extents.empty()) {
        extents.push_back({extents.front().x + extents.front().cells, cells});
    }
}

void TextSlot::wipe() {
    for (const Extent& e : extents) {
        screen::gotoXY(e.x, where.y);
        platform::write(std::string(static_cast<std::size_t>(e.cells), ' '));
    }
    forget();
}

void TextSlot::forget() {
    shownText.clear();
    extents.clear();
}
