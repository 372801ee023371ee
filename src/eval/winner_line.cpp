#include "eval/winner_line.h"

#include "eval/hand_labels.h"

std::string winnerLine(const std::string& name, const HandResult& grade) {
    return name + "님이 " + handName(grade) + "패로 승리하였습니다!";
}
