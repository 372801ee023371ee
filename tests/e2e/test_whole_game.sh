#!/bin/bash
# Whole hands in a real terminal: the set-up dialogue, a hand of "Game Start"
# with the game's own pacing, checked at its key moments, a hand of "Play
# Simulation", and a whole game to its final line without pauses.
source "$(dirname "$0")/lib.sh" "$@"

prompt_line_has() { cells_are 14 0 "│ " && screen | sed -n 15p | grep -qF -- "$1"; }

set_up_table() {
    wait_for_text "Player 이름 입력 : "
    expect_cells 20 0 "│ "
    tmx send-keys -t "$E2E_PANE" -l "tester"
    keys Enter
    wait_for_text "Computer 인원 입력(1~6) : "
    screen_lacks "Player 이름 입력" || fail "the name prompt was not wiped"
    keys 7 Enter
    wait_until "the count asked again" 5 screen_lacks "입력(1~6) : 7"
    keys 1 Enter
}

note "Game Start: set-up, the opening deal, a bet, a pass, the winner line"
start_shell 162 42
start_game "$GAME"
expect_title_screen
keys Enter
set_up_table
wait_until "the first betting prompt" 40 prompt_line_has "1.배팅 2.다이 : "
# The person's three cards face up, the computer's two hole cards face down
# and its third face up, the deck in the middle, the unused seats filled.
expect_cells 27 84 "│ ┌───┌───┌───────────┐ "
expect_cells 2 16 "│ ┌───┌───┌───────────┐ "
expect_cells 3 18 "│ ※ │ ※ │ "
expect_cells 16 73 "│ ※ ※ ※ ※ ※ │ "
expect_cells 15 2 "│ ▩ ▩ ▩ ▩ ▩ ▩ ▩ ▩ ▩ ▩ ▩ ▩ ▩ ▩ ▩ ▩ ▩ ▩ ▩ │ "
screen_has "tester(금액:1000000)" || fail "no label for the person"
screen_has "Computer1(금액:1000000)" || fail "no label for the computer"
screen_has "현재 금액 : 0" && screen_has "현재 판돈 : 100" || fail "status lines of a new hand"
keys 1 Enter
wait_for_text "금액 : "
keys 150 Enter
wait_for_text "150 원 배팅!!!"
wait_for_text "tester(금액:999850)"
pass_until_the_winner() {
    screen | sed -n 15p | grep -qF "패로 승리하였습니다!" && return 0
    if prompt_line_has "1.배팅 2.다이 : " && [[ $(pane_format '#{cursor_flag}') == 1 ]]; then
        keys 3 Enter
        sleep 0.3
    fi
    return 1
}
wait_until "the winner line" 90 pass_until_the_winner
screen_lacks "1.배팅 2.다이 : " || fail "the prompt line still shows a prompt with the winner"
keys x
wait_until "the next hand's shuffle" 10 screen_lacks "패로 승리하였습니다!"
kill -TERM "$(game_pid)"
expect_restored_after_exit 143

note "Play Simulation: no prompt for the person, a key after the winner line"
start_shell 162 42
start_game "$GAME"
expect_title_screen
keys s Enter
set_up_table
wait_until "the winner line" 90 screen_has "패로 승리하였습니다!"
screen_lacks "1.배팅" || fail "the person was asked to bet in a simulation"
kill -TERM "$(game_pid)"
expect_restored_after_exit 143

# The game of seed 100013 with one computer reaches its final line in 2,632
# hands, on every system.
seed=100013

note "a whole game to its final line, keys typed ahead"
start_shell 162 42
tmx pipe-pane -o -t "$E2E_PANE" "cat >> $E2E_DIR/output"
start_game "$GAME" --seed "$seed" --pace 0
expect_title_screen
keys s Enter
set_up_table
for _ in $(seq 1 20); do
    tmx send-keys -t "$E2E_PANE" -l "$(printf 'x%.0s' $(seq 1 500))"
done
# Frames send only the cells that change, so the final line is looked for by
# the two syllables that no other line has ("final").
final_line_written() { grep -qa "최종" "$E2E_DIR/output"; }
wait_until "the final line" 300 final_line_written
expect_title_screen
keys s s Enter
expect_restored_after_exit 0

echo "PASS"
