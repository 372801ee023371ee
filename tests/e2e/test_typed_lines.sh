#!/bin/bash
# Typed lines in a real terminal are edited by the game itself: what the
# screen shows is what the game takes (Hangul and Backspace), Enter alone
# moves nothing, wide characters leave no debris; and a window made smaller
# in the middle of a hand shows the table clipped, never wrapped, until it
# grows again.
source "$(dirname "$0")/lib.sh" "$@"

prompt="Player 이름 입력 : "
label_line=25 # the person's label, above the panel

# The person's label as the label line shows it, and the cell it starts in
# (its centre is column 105, unless it would reach the panel at column 116:
# then it ends a blank cell before it; the cells are counted as the terminal
# draws them).
label_line_text() { screen | sed -n "$((label_line + 1))p"; }
person_label() { label_line_text | grep -o "$1(금액:[0-9]*)"; }
label_column() { label_line_text | sed "s/$1(금액:.*//" | wc -L; }
label_is() {
    local name=$1 money=$2 cells=$3 start=$((105 - $3 / 2))
    ((start + cells > 116)) && start=$((116 - cells - 1))
    [[ $(person_label "$name") == "$name(금액:$money)" && $(label_column "$name") == "$start" ]]
}

frame_intact() { cells_are 0 0 "┌─" && cells_are 39 0 "└─" && cells_are 39 157 "─┘ " && cells_are 20 0 "│ "; }

set_up() {
    local name=$1
    expect_title_screen
    keys Enter
    wait_for_text "$prompt"
    keys -l "$name"
}

note "Hangul, two Backspaces, ab: the screen and the label show what the game took"
start_shell 162 42
start_game "$GAME" --pace 0.1
set_up 한글이름
keys BSpace BSpace
keys -l ab
wait_until "the edited name after the prompt" 5 screen_has "${prompt}한글ab"
screen_lacks "한글이" || fail "Backspace left cells of a syllable behind"
note "Enter alone, twice: nothing moves"
keys Enter
wait_for_text "Computer 인원 입력(1~6) : "
row_before=$(screen | sed -n 21p)
keys Enter
sleep 0.3
keys Enter
sleep 0.3
[[ $(screen | sed -n 21p) == "$row_before" ]] || fail "Enter alone changed the prompt's line"
[[ $(pane_format '#{cursor_y}') == 20 ]] || fail "Enter alone moved the cursor off the prompt's line"
frame_intact || fail "Enter alone moved the table: $mismatch"
keys 1 Enter
wait_until "the label" 10 label_is 한글ab 1000000 21
kill -TERM "$(game_pid)"
expect_restored_after_exit 143

note "a name of five rockets: no debris after a bet"
start_shell 162 42
start_game "$GAME" --pace 0.1
set_up 🚀🚀🚀🚀🚀
keys Enter
wait_for_text "Computer 인원 입력(1~6) : "
keys 1 Enter
wait_for_text "1.배팅 2.다이 : " 30
keys 1 Enter
wait_for_text "금액 : "
keys 150 Enter
wait_until "the label after the bet" 10 label_is 🚀🚀🚀🚀🚀 999850 23
label_line_text | sed "s/🚀🚀🚀🚀🚀(금액:.*//" | grep -q ' $' || fail "the old label's first cell is left"
frame_intact || fail "the table moved: $mismatch"

note "the window shrinks in the middle of the hand: the notice, then the table clipped"
resize_to 120 30
wait_for_text "162×42"
keys x
wait_until "the table, clipped" 10 eval 'screen_lacks "162×42" && cells_are 0 0 "┌─" && cells_are 14 0 "│ "'
for y in $(seq 1 29); do
    [[ $(cells "$y" 0 1) == "│" ]] || fail "line $y of the frame's left column is not intact"
done
note "the window grows again: the whole table"
resize_to 162 42
wait_until "the whole table" 10 frame_intact
wait_until "the label" 10 label_is 🚀🚀🚀🚀🚀 999850 23
kill -TERM "$(game_pid)"
expect_restored_after_exit 143

echo "PASS"
