#!/bin/bash
# Every way the program can be ended from outside gives the terminal back as
# it was: SIGTERM, Ctrl-C (at the menu and in the middle of a deal), SIGHUP,
# and the pane closing under it.
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

note "Ctrl-C while the cards are dealt"
game_at_menu
keys Enter
wait_for_text "Player 이름 입력 : "
tmx send-keys -t "$E2E_PANE" -l "tester"
keys Enter
wait_for_text "Computer 인원 입력(1~6) : "
keys 1 Enter
# The seat receiving a card is named in the middle of the table.
dealing() {
    local middle
    middle=$(cells 20 84 20)
    [[ $middle == *tester* || $middle == *Computer1* ]]
}
wait_until "a card being dealt" 20 dealing
keys C-c
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
