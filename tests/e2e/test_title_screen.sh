#!/bin/bash
# The title screen in a real terminal: where everything lands, the menu keys,
# nothing typed showing on the table, and the terminal given back on "Exit"
# and at the end of the input.
source "$(dirname "$0")/lib.sh" "$@"

title_and_menu_at() {
    note "title screen at $1×$2"
    start_shell "$1" "$2"
    start_game "$GAME"
    expect_title_screen
    expect_red_cursor_on 20
    [[ $(pane_format '#{alternate_on}') == 1 ]] || fail "the game is not on the alternate screen"
    [[ $(pane_format '#{cursor_flag}') == 0 ]] || fail "the cursor is shown over the table"

    keys s
    wait_until "cursor on the second item" 5 screen_has_cursor_on 24
    expect_red_cursor_on 24
    expect_cells 20 68 "  "
    keys w
    wait_until "cursor back on the first item" 5 screen_has_cursor_on 20
    # W/S, the Hangul keys on w and s (ㅈ/ㄴ) and the cursor keys move it
    # too; other keys do not, and nothing wraps.
    keys W ㅈ Up
    wait_until "cursor still on the first item" 5 screen_has_cursor_on 20
    keys S
    wait_until "cursor on the second item by S" 5 screen_has_cursor_on 24
    keys ㄴ
    wait_until "cursor on the last item by ㄴ" 5 screen_has_cursor_on 28
    keys ㅈ
    wait_until "cursor back on the second item by ㅈ" 5 screen_has_cursor_on 24
    keys s s S x 1 Down
    wait_until "cursor on the last item" 5 screen_has_cursor_on 28
    expect_red_cursor_on 28
    expect_cells 20 68 "  "
    expect_cells 24 68 "  "
    screen_lacks "SW" && screen_lacks "x1" || fail "typed keys were echoed onto the table"
    expect_title_screen
    keys Enter
    expect_restored_after_exit 0
}

screen_has_cursor_on() { [[ $(cells "$1" 68 1) == "▷" ]]; }

title_and_menu_at 162 42
title_and_menu_at 200 50

note "keys typed before the title is up are kept"
start_shell 162 42
start_game "$GAME"
keys s s Enter
expect_restored_after_exit 0

note "the end of the input ends the program cleanly"
start_shell 162 42
run_in_pane "printf 'ss' | $GAME; echo \$? > $E2E_DIR/piped"
wait_for_file "$E2E_DIR/piped"
[[ $(cat "$E2E_DIR/piped") == 0 ]] || fail "piped keys: exit status $(cat "$E2E_DIR/piped")"
expect_terminal_given_back
run_in_pane "$GAME < /dev/null; echo \$? > $E2E_DIR/empty"
wait_for_file "$E2E_DIR/empty"
[[ $(cat "$E2E_DIR/empty") == 0 ]] || fail "no input: exit status $(cat "$E2E_DIR/empty")"
expect_terminal_given_back

echo "PASS"
