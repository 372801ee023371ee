#!/bin/bash
# During a game: typed lines are edited and echoed by the game itself
# (Korean too), the screen survives a suspend and a small window in the
# middle of the game's pauses, and Ctrl-C in a typed line gives the terminal
# back with the user's settings.
source "$(dirname "$0")/lib.sh" "$@"

prompt="Player 이름 입력 : "
name_prompt_shown() { screen_has "$prompt"; }

note "the name prompt shows the cursor and takes Korean with backspace"
start_shell 162 42
start_game "$GAME"
expect_title_screen
keys Enter
wait_until "the name prompt" 10 name_prompt_shown
[[ $(pane_format '#{cursor_flag}') == 1 ]] || fail "no cursor at the name prompt"
[[ $(pane_format '#{cursor_y}') == 20 ]] || fail "the cursor is not on the prompt's line"
tmx send-keys -t "$E2E_PANE" -l "홍길동X"
keys BSpace
wait_until "the typed name" 5 screen_has "$prompt홍길동 "
screen_lacks "홍길동X" || fail "backspace did not take back the last character"

note "a small window in the middle of a typed line, then the prompt is back"
resize_to 120 40
wait_for_text "162×42"
resize_to 162 42
wait_until "the prompt again" 10 name_prompt_shown
[[ $(pane_format '#{cursor_flag}') == 1 ]] || fail "no cursor at the prompt after the repaint"

note "Ctrl-C in the typed line"
keys C-c
expect_restored_after_exit 130

note "suspend and resize while the game pauses between cards"
start_shell 162 42
start_game_alone "$GAME"
expect_title_screen
keys Enter
wait_until "the name prompt" 10 name_prompt_shown
tmx send-keys -t "$E2E_PANE" -l "홍길동"
keys Enter
wait_for_text "Computer 인원 입력(1~6) : "
keys 1 Enter
wait_for_text "홍길동("
keys C-z
wait_for_text "Stopped"
expect_terminal_given_back
resume_game
wait_until "the table after fg" 10 screen_has "홍길동("
wait_until "the frame after fg" 10 cells_are 39 157 "─┘ "
[[ $(pane_format '#{alternate_on}') == 1 ]] || fail "not back on the alternate screen"
resize_to 100 30
wait_for_text "162×42"
resize_to 162 42
wait_until "the table after the window grew" 10 screen_has "홍길동("
wait_until "the frame after the window grew" 10 cells_are 0 157 "─┐ "
kill -TERM -- "-$(foreground_group)" # an interactive shell drops the rest of the line after a Ctrl-C
expect_restored_after_exit 143

echo "PASS"
