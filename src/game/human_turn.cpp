// The person's turn: bet an amount within the stake's bounds, die, or pass.
#include "console/screen.h"
#include "game/game_table.h"
#include "game/layout.h"
#include "game/pacing.h"
#include "platform/console.h"

#include <optional>
#include <string>

namespace {

constexpr int choiceBet = 1;
constexpr int choiceDie = 2;

constexpr const char* choicePrompt = "1.배팅 2.다이 : ";
// The choice prompt as it is wiped: written without the blank between the
// two choices, so twice its width covers the prompt and the answer after it.
constexpr const char* choiceWipe = "1.배팅2.다이 : ";
constexpr const char* amountPrompt = "금액 : ";
constexpr const char* amountWipe = "금액 :           ";

} // namespace

void GameTable::humanTurn(int seat) {
    const int promptX = layout::promptLine.x;
    const int promptY = layout::promptLine.y;
    auto ask = [&](const char* prompt, const char* wipe) {
        for (;;) {
            screen::printCentered(prompt, promptX, promptY);
            if (const std::optional<int> answer = platform::readInt()) {
                return *answer;
            }
            // Not a number: wipe the prompt with what was typed and ask again.
            screen::printCentered(screen::blanksFor(wipe, 2), promptX, promptY);
        }
    };

    const int choice = ask(choicePrompt, choiceWipe);
    if (choice == choiceBet) {
        screen::printCentered(screen::blanksFor(choiceWipe, 2), promptX, promptY);
        const long long low = stake;
        const long long high = 2LL * stake;
        long long amount = 0;
        for (;;) {
            screen::printCentered(amountPrompt, promptX, promptY);
            const std::optional<int> answer = platform::readInt();
            if (answer && *answer >= low && *answer <= high) {
                amount = *answer;
                break;
            }
            // Out of bounds, or not a number at all: say what the bounds are.
            screen::printCentered(screen::blanksFor(amountWipe, 2), promptX, promptY);
            const std::string bounds =
                "최소 " + std::to_string(low) + "원 ~ 최대 " + std::to_string(high) + "원";
            screen::printCentered(bounds, promptX, promptY);
            platform::readKey();
            screen::printCentered(screen::blanksFor(bounds, 2), promptX, promptY);
        }
        placeBet(seat, amount);
    } else if (choice == choiceDie) {
        foldSeat(seat);
    }
    platform::sleepMs(afterActionMs);
    eraseTurnMarker(seat);
}
