// One key press answers one wait: a cursor key, a function key or a Hangul
// syllable, as a terminal sends them, at each kind of one-key wait (a key
// after a line, the press-a-key pause, the title menu); the next wait gets
// the next key. The title menu moves on w and s only.
#include "console/screen.h"
#include "fake/fake_console.h"
#include "game/game_table.h"
#include "game/layout.h"
#include "platform/console.h"
#include "support/hand_results.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

TEST(OneKey, EachKeyPressAnswersOneWait) {
    struct Key {
        const char* what;
        std::string bytes;
    };
    struct Wait {
        const char* what;
        std::string keysAfter; // what the wait needs after the key to end
        std::function<void(GameTable&)> wait;
    };
    const std::vector<Key> keys = {
        {"Up", "\x1b[A"},      {"Left in application mode", "\x1bOD"}, {"F1", "\x1bOP"},
        {"F5", "\x1b[15~"},    {"F2 of the Linux console", "\x1b[[B"},  {"a Hangul syllable", "가"},
    };
    const std::vector<Wait> waits = {
        {"the winner line", "",
         [](GameTable& table) {
             Player winner(layout::seats[0].panelX, layout::seats[0].panelY, 1, layout::labelAbove);
             table.announceWinner(winner, handResult(OnePair, 9, Hearts));
         }},
        {"the press-a-key pause", "", [](GameTable&) { platform::pause(); }},
        {"the title menu", "\r",
         [](GameTable&) {
             EXPECT_EQ(screen::selectMenu(layout::menuItems, layout::menuStep, layout::menuCursorColumn,
                                          layout::menuFirstLine),
                       1);
         }},
    };
    for (const Wait& w : waits) {
        for (const Key& k : keys) {
            SCOPED_TRACE(std::string(k.what) + " at " + w.what);
            fake::reset();
            GameTable table;
            fake::type(k.bytes + w.keysAfter + "x");
            w.wait(table);
            EXPECT_EQ(platform::readKey(), 'x');
        }
    }
}

} // namespace
