#include "game/history_text.h"

#include "console/screen.h"

#include <cstdio>
#include <ctime>

std::string cardText(const Card& card) {
    static constexpr char numbers[] = "23456789TJQKA";
    static constexpr char suits[] = "chds";
    const int number = card.getNumber();
    const int suit = card.getSuit();
    std::string text;
    text += number >= 2 && number <= 14 ? numbers[number - 2] : '?';
    text += suit >= 0 && suit <= 3 ? suits[suit] : '?';
    return text;
}

std::string localTimeText() {
    const std::time_t now = std::time(nullptr);
    const std::tm* local = std::localtime(&now);
    char text[32] = "";
    if (local != nullptr) {
        std::strftime(text, sizeof text, "%Y/%m/%d %H:%M:%S", local);
    }
    return text;
}

std::string durationText(std::int64_t seconds) {
    char text[40];
    std::snprintf(text, sizeof text, "%lld:%02lld:%02lld", static_cast<long long>(seconds / 3600),
                  static_cast<long long>(seconds / 60 % 60), static_cast<long long>(seconds % 60));
    return text;
}

std::string modeText(bool simulation) { return screen::menuItems[simulation ? 1 : 0]; }
