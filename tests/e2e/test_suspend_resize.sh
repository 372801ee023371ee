#!/bin/bash
# The terminal is the user's while the program is suspended, and the game's
# screen comes back whole after `fg` and after the window was too small.
source "$(dirname "$0")/lib.sh" "$@"

start_shell 162 42
start_game_alone "$GAME"
expect_title_screen
keys s
wait_until "cursor on the second item" 5 eval '[[ $(cells 24 68 1) == "▷" ]]'

note "Ctrl-Z gives the terminal back"
keys C-z
wait_for_text "Stopped"
expect_terminal_given_back
run_in_pane "stty -g > $E2E_DIR/suspended"
wait_for_file "$E2E_DIR/suspended"
cmp -s "$E2E_DIR/before" "$E2E_DIR/suspended" || fail "terminal settings while suspended differ"

note "fg brings the whole screen back, and the keys work again"
resume_game
expect_title_screen
expect_red_cursor_on 24
[[ $(pane_format '#{alternate_on}') == 1 ]] || fail "not back on the alternate screen"
[[ $(pane_format '#{cursor_flag}') == 0 ]] || fail "the cursor is shown over the table"
# The cursor's move shows that the keys before it were taken too: a key
# still waiting when the window shrinks would dismiss the notice at once.
keys x y s
wait_until "cursor on the last item" 5 eval '[[ $(cells 28 68 1) == "▷" ]]'
screen_lacks "xy" || fail "keys were echoed after resuming"

note "a window too small shows the notice"
resize_to 100 30
wait_for_text "162×42"
screen_has "100×30" || fail "the notice does not tell the current size"
screen_lacks "Brannocktide" || fail "the table is still drawn under the notice"

note "the notice follows the window"
resize_to 150 45
wait_for_text "150×45"

note "large enough again: the table comes back and the game goes on"
resize_to 200 50
expect_title_screen
expect_red_cursor_on 28
keys w
wait_until "cursor on the second item" 5 eval '[[ $(cells 24 68 1) == "▷" ]]'
expect_red_cursor_on 24

note "a key press dismisses the notice"
resize_to 120 40
wait_for_text "120×40"
keys q
wait_for_text "Brannocktide"
screen_lacks "120×40" || fail "the notice stayed after a key"
resize_to 162 42
expect_title_screen
keys s Enter
expect_restored_after_exit 0

echo "PASS"
