// The line that names the winner of a hand and the hand it won with.
#include "eval/hand_labels.h"
#include "game/game_table.h"
#include "console/screen.h"
#include "platform/console.h"

void GameTable::announceWinner(Player& winner, HandResult grade) {
    // Built as a growing string, so that a name of any length prints in full.
    const std::string line = winner.getName() + "님이 " + handName(grade) + "패로 승리하였습니다!";
    screen::printCentered(line, width, static_cast<int>(height * 0.4 - 2));
    platform::readKey();
}
