#include "game/game_table.h"

void GameTable::playGame(bool simulation) { (void)simulation; }
