#include "fake/whole_game.h"

#include "fake/books.h"
#include "fake/box_outlines.h"
#include "fake/fake_console.h"
#include "fake/leftovers.h"
#include "game/layout.h"
#include "platform/console.h"

namespace fake {

namespace {

constexpr int promptLine = layout::promptLine.y;

bool contains(const std::string& text, const char* part) { return text.find(part) != std::string::npos; }

struct Watch {
    GameTable& table;
    const GamePlan& plan;
    GameRecord record;
    Books books{table};
    bool setupDone = false;

    // Every text place of the table shows what the game says it shows, and
    // no text covers a box.
    void lookForLeftovers() {
        const bool inHand = !table.shownTexts().potLine.text().empty();
        for (const auto& faults : {leftovers(table), damagedBoxes(inHand), unusedSeatLabels()}) {
            for (const std::string& fault : faults) {
                record.faults.push_back("hand " + std::to_string(record.hands) + ": " + fault);
            }
        }
    }

    // A seat not in use shows no label once the set-up knows the number of
    // computers: none of the 23 cells "ComputerN(금액:1000000)" took.
    std::vector<std::string> unusedSeatLabels() const {
        std::vector<std::string> found;
        int x = 0;
        int y = 0;
        for (int s = 1; s < GameTable::seatCount && setupDone; ++s) {
            const Player& seat = *table.seat(s);
            if (!seat.isSeated() && seat.labelPlace(x, y) && text(x - 11, y, 23) != std::string(23, ' ')) {
                found.push_back("a label for seat " + std::to_string(s) + ", not in use: " + row(y));
            }
        }
        return found;
    }

    std::string answerKey() {
        books.atWait();
        const std::string line = row(promptLine);
        lookForLeftovers();
        if (contains(line, "포커게임 최종으로 승리하였습니다!")) {
            ++record.finalPauses;
            record.finalLine = line;
        } else if (contains(line, "패로 승리하였습니다!")) {
            ++record.hands;
            if (plan.handLimit > 0 && record.hands >= plan.handLimit) {
                return "";
            }
        }
        return "\r";
    }

    std::string answerLine() {
        books.atWait();
        lookForLeftovers();
        if (!setupDone) {
            setupDone = contains(row(layout::setupPrompt.y), "Computer 인원 입력");
            return setupDone ? std::to_string(plan.computers) + "\n" : plan.name + "\n";
        }
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
        if (plan.resume != nullptr) {
            watch.setupDone = true;
            table.resumeGame(*plan.resume);
        } else {
            table.playGame(plan.simulation);
        }
    } catch (const platform::InputClosed&) {
    }
    whenScriptRunsOut(nullptr);
    watch.record.faults.insert(watch.record.faults.begin(), watch.books.faults().begin(), watch.books.faults().end());
    watch.record.maxCardsInHand = watch.books.maxCardsInHand();
    return watch.record;
}

} // namespace fake
