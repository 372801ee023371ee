#!/bin/bash
# Every way the program can be ended from outside gives the terminal back as
# it was: SIGTERM, Ctrl-C, SIGHUP, and the pane closing under it.
source "$(dirname "$0")/lib.sh" "$@"

game_at_menu() {
    start_shell 162 42
    start_game "$GAME"
    expect_title_screen
    wait_for_file "$E2E_DIR/pid"
}

note "SIGTERM at the menu"
game_at_menu
kill -TERM "$(game_pid)"
expect_restored_after_exit 143

note "Ctrl-C at the menu"
game_at_menu
keys s C-c
expect_restored_after_exit 130

note "SIGHUP at the menu"
game_at_menu
kill -HUP "$(game_pid)"
expect_restored_after_exit 129

note "the pane closes under the program"
game_at_menu
pid=$(game_pid)
tmx kill-pane -t "$E2E_PANE"
wait_until "the program to end with its pane" 10 bash -c "! kill -0 $pid 2>/dev/null"

echo "PASS"
