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
constexpr const char* amountPrompt = "금액 : ";

} // namespace

void GameTable::humanTurn(int seat) {
    // Each prompt, message and answer on the prompt line is wiped whole by
    // what follows it there; the last answer stays until then.
    TextSlot& line = texts.promptLine;
    std::optional<int> choice;
    do {
        line.show(choicePrompt);
        choice = readAnswer(line);
    } while (!choice); // not a number: asked again
    keepAnswer(*choice);
    if (*choice == choiceBet) {
        const long long low = stake;
        const long long high = 2LL * stake;
        long long amount = 0;
        for (;;) {
            line.show(amountPrompt);
            const std::optional<int> answer = readAnswer(line);
            if (answer && *answer >= low && *answer <= high) {
                amount = *answer;
                keepAnswer(amount);
                break;
            }
            if (record.answerReplayed()) {
                record.unfitAnswers("the amount " + std::to_string(*answer) + " is not between " +
                                    std::to_string(low) + " and " + std::to_string(high));
            }
            // Out of bounds, or not a number at all: say what the bounds are.
            line.show("최소 " + std::to_string(low) + "원 ~ 최대 " + std::to_string(high) + "원");
            platform::readKey();
        }
        record.bets(seat, placeBet(seat, amount), amount);
    } else if (*choice == choiceDie) {
        foldSeat(seat);
    } else {
        record.passes(seat);
    }
    platform::sleepMs(afterActionMs);
    eraseTurnMarker();
}
