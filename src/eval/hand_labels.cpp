#include "eval/hand_labels.h"


#include <array>
#include <cstddef>

namespace {

constexpr std::array<std::string_view, 13> numberLabels = {
    "2 ", "3 ", "4 ", "5 ", "6 ", "7 ", "8 ", "9 ", "10 ", "J ", "Q ", "K ", "A ",
};
constexpr int lowestNumber = 2;

constexpr std::array<std::string_view, 4> suitLabels = {
    "클로버 ",
    "하트 ",
    "다이아몬드 ",
    "스페이드 ",
};

constexpr std::array<std::string_view, 13> rankLabels = {
    "",
    "원페어 ",
    "투페어 ",
    "트리플 ",
    "스트레이트 ",
    "백스트레이트 ",
    "마운틴 ",
    "플러쉬 ",
    "풀하우스 ",
    "포카드 ",
    "스트레이트 플러쉬 ",
    "백스트레이트 플러쉬 ",
    "로얄스트레이트 플러쉬 ",
};

template <std::size_t N>
std::string_view labelAt(const std::array<std::string_view, N>& labels, int index) {
    if (index < 0 || index >= static_cast<int>(N)) {
        return {};
    }
    return labels[static_cast<std::size_t>(index)];
}

} // namespace

std::string_view numberLabel(int number) { return labelAt(numberLabels, number - lowestNumber); }

std::string_view suitLabel(int suit) { return labelAt(suitLabels, suit); }

std::string_view rankLabel(int rank) { return labelAt(rankLabels, rank); }

std::string handName(const HandResult& grade) {
    std::string str;
    str += numberLabel(grade.keyNumber);
    str += suitLabel(grade.keySuit);
    str += rankLabel(grade.rank);
    return str;
}
