// Brannocktide: seven-card stud at a text-console table, one person against
// up to six computers.
#include "game/game_table.h"
#include "platform/console.h"

#include <cstdlib>
#include <ctime>

namespace {

unsigned int startingSeed() {
#ifdef BRANNOCKTIDE_FIXED_SEED
    return BRANNOCKTIDE_FIXED_SEED; // the test build plays the same games every run
#else
    return static_cast<unsigned int>(std::time(nullptr));
#endif
}

} // namespace

int main() {
    std::srand(startingSeed());
    platform::open();
    try {
        GameTable gameManager;
        gameManager.runMenu();
    } catch (const platform::InputClosed&) {
        // The input ended: there is nobody left to play with, so the game ends.
    }
    platform::close();
    return 0;
}
