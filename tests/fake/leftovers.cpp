#include "fake/leftovers.h"

#include "console/screen.h"
#include "fake/fake_console.h"
#include "game/layout.h"
#include "platform/screen_model.h"
#include "platform/text_width.h"

namespace fake {

namespace {

// Cells of one line that only the game's texts are drawn in: between the
// panels, the frame and the deck's picture.
struct Zone {
    const char* what;
    int line;
    int from;
    int to; // the first cell past it
};

// The zones of the hand's table; during the set-up the deck is not drawn
// and the middle of the set-up prompt's line is a text place too.
std::vector<Zone> zones(bool inHand) {
    std::vector<Zone> all = {
        {"labels along the top", 13, 16, 146}, {"labels of seats 6 and 0", 25, 44, 116},
        {"label of seat 4", 26, 2, 40},         {"label of seat 5", 26, 126, 158},
    };
    all.push_back({"the prompt line", layout::promptLine.y, 44, 116});
    if (inHand) {
        all.push_back({"the pot line", layout::potLine.y, 44, 73});
        all.push_back({"the turn marker", layout::turnMarker.y, 87, 116});
        all.push_back({"the stake line", layout::stakeLine.y, 44, 73});
        all.push_back({"the bet line", layout::betLine.y, 87, 116});
    } else {
        all.push_back({"the set-up prompt", layout::setupPrompt.y, 44, 116});
    }
    return all;
}

void drawCentred(platform::ScreenModel& fresh, const std::string& text, int x, int y, screen::Span within) {
    if (!text.empty()) {
        fresh.moveCursor(screen::centredStartWithin(platform::cellWidth(text), x, within), y);
        fresh.write(text);
    }
}

// The cells a typed answer holds: the game does not know what it shows.
bool typedAnswerAt(const GameTable::Texts& texts, int x, int y) {
    for (const TextSlot* slot : {&texts.promptLine, &texts.setupPrompt}) {
        const auto& held = slot->held();
        for (std::size_t i = 1; i < held.size(); ++i) {
            if (slot->place().y == y && x >= held[i].x && x < held[i].x + held[i].cells) {
                return true;
            }
        }
    }
    return false;
}

platform::ScreenModel freshDrawing(const GameTable& table) {
    platform::ScreenModel fresh(columns, lines);
    const GameTable::Texts& texts = table.shownTexts();
    for (const TextSlot* slot : {&texts.setupPrompt, &texts.potLine, &texts.stakeLine, &texts.turnMarker,
                                 &texts.betLine, &texts.promptLine, &texts.saveNotice}) {
        drawCentred(fresh, slot->text(), slot->place().x, slot->place().y, slot->within());
    }
    for (int s = 0; s < GameTable::seatCount; ++s) {
        int x = 0;
        int y = 0;
        if (const Player* seat = table.seat(s); seat != nullptr && seat->labelPlace(x, y)) {
            drawCentred(fresh, seat->shownLabel(), x, y, seat->labelWithin());
        }
    }
    return fresh;
}

} // namespace

std::vector<std::string> leftovers(const GameTable& table) {
    std::vector<std::string> found;
    if (table.seat(0) == nullptr) {
        return found;
    }
    const platform::ScreenModel fresh = freshDrawing(table);
    const bool inHand = !table.shownTexts().potLine.text().empty();
    for (const Zone& zone : zones(inHand)) {
        for (int x = zone.from; x < zone.to; ++x) {
            const platform::Cell& expected = fresh.at(x, zone.line);
            if (expected.rightHalf || typedAnswerAt(table.shownTexts(), x, zone.line)) {
                continue;
            }
            const std::string shown = cell(x, zone.line);
            const std::string drawn = platform::encodeUtf8(expected.glyph);
            if (shown != drawn) {
                found.push_back(std::string(zone.what) + ", line " + std::to_string(zone.line) + " column " +
                                std::to_string(x) + ": '" + shown + "' where a fresh drawing has '" + drawn +
                                "': " + row(zone.line));
                break;
            }
        }
    }
    return found;
}

} // namespace fake
