// The pot and stake lines, and the test after every hand that ends the game
// when one seat is left with money.
#include "console/screen.h"
#include "game/game_table.h"
#include "game/layout.h"
#include "platform/console.h"

#include <array>
#include <memory>
#include <string>

void GameTable::showStatus() {
    texts.potLine.show("현재 금액 : " + std::to_string(pot));
    texts.stakeLine.show("현재 판돈 : " + std::to_string(stake));
}

bool GameTable::settleSeats() {
    int withMoney = 0;
    Player* candidate = nullptr;
    for (auto& seat : seats) {
        const bool broke = seat->getMoney() == 0;
        seat->setInHand(!broke);
        if (seat->isSeated() && !broke) {
            ++withMoney;
            if (candidate == nullptr) {
                candidate = seat.get();
            }
        }
    }
    finalWinner = withMoney == 1 ? candidate : nullptr;
    return finalWinner != nullptr;
}

bool GameTable::checkGameOver() {
    if (!settleSeats()) {
        return false;
    }
    texts.promptLine.show(finalWinner->getName() + "님이 포커게임 최종으로 승리하였습니다!");
    // The press-a-key prompt would run from the final line into the panel
    // beside it: it stands on the free line under the person's panel, where
    // the save's notice gives way to it.
    texts.saveNotice.wipe();
    screen::gotoXY(layout::finalPause.x, layout::finalPause.y);
    platform::pause();
    return true;
}
