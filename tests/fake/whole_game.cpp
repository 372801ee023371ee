#include "fake/whole_game.h"

#include "fake/fake_console.h"
#include "platform/console.h"

namespace fake {

namespace {

constexpr long long everySeatsMoney = 7LL * 1000000;
constexpr int promptLine = 14;

bool contains(const std::string& text, const char* part) { return text.find(part) != std::string::npos; }

struct Watch {
    GameTable& table;
    const GamePlan& plan;
    GameRecord record;
    bool setupDone = false;

    void fault(const std::string& what) {
        record.faults.push_back("hand " + std::to_string(record.hands + 1) + ": " + what);
    }

    void checkBooks(bool withPot) {
        const long long money = tableMoney(table, withPot);
        if (money != everySeatsMoney) {
            fault("money " + std::to_string(money) + " instead of " + std::to_string(everySeatsMoney));
        }
        int dealt = 0;
        for (int i = 0; i < 52; ++i) {
            dealt += table.getDeck().at(i)->isDealt();
        }
        if (dealt > 49) {
            fault(std::to_string(dealt) + " cards dealt");
        }
        for (int s = 0; s < GameTable::seatCount; ++s) {
            const Player& seat = *table.seat(s);
            if (seat.getMoney() < 0) {
                fault("seat " + std::to_string(s) + " has negative money");
            }
            if (seat.getCardCount() > 7) {
                fault("seat " + std::to_string(s) + " holds " + std::to_string(seat.getCardCount()));
            }
            record.maxCardsInHand = std::max<long long>(record.maxCardsInHand, seat.getCardCount());
        }
    }

    std::string answerKey() {
        const std::string line = row(promptLine);
        if (contains(line, "포커게임 최종으로 승리하였습니다!")) {
            ++record.finalPauses;
            record.finalLine = line;
            checkBooks(false);
        } else if (contains(line, "패로 승리하였습니다!")) {
            checkBooks(true);
            ++record.hands;
            if (plan.handLimit > 0 && record.hands >= plan.handLimit) {
                return "";
            }
        }
        return "\r";
    }

    std::string answerLine() {
        if (!setupDone) {
            setupDone = contains(row(20), "Computer 인원 입력");
            return setupDone ? std::to_string(plan.computers) + "\n" : plan.name + "\n";
        }
        checkBooks(true);
        const std::string line = row(promptLine);
        const std::string prompt = contains(line, "금액 : ") ? "금액 : " : "1.배팅 2.다이 : ";
        return plan.person ? plan.person(prompt, table.getStake()) : "3\n";
    }
};

} // namespace

long long tableMoney(const GameTable& table, bool withPot) {
    long long money = withPot ? table.getPot() : 0;
    for (int s = 0; s < GameTable::seatCount; ++s) {
        money += table.seat(s)->getMoney();
    }
    return money;
}

GameRecord playWholeGame(GameTable& table, const GamePlan& plan) {
    Watch watch{table, plan, {}};
    whenScriptRunsOut([&watch](Wait wait) { return wait == Wait::Key ? watch.answerKey() : watch.answerLine(); });
    try {
        table.playGame(plan.simulation);
    } catch (const platform::InputClosed&) {
    }
    whenScriptRunsOut(nullptr);
    return watch.record;
}

} // namespace fake
