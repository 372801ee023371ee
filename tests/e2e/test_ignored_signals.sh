#!/bin/bash
# A signal ignored by whoever started the game stays ignored
# (`trap '' INT`, nohup, background jobs): Ctrl-C at the title does not end
# the game, which goes on and ends by its menu with the terminal as it was.
# A signal not ignored still ends it.
source "$(dirname "$0")/lib.sh" "$@"

cat > "$E2E_DIR/ignoring.sh" <<'RUN'
trap '' INT
exec "$@"
RUN

note "Ctrl-C ignored by the shell that starts the game"
start_shell 162 42
start_game sh "$E2E_DIR/ignoring.sh" "$GAME"
expect_title_screen
wait_for_file "$E2E_DIR/pid"
keys C-c
sleep 0.5
kill -0 "$(game_pid)" 2>/dev/null || fail "Ctrl-C ended the game"
[[ ! -e $E2E_DIR/status ]] || fail "the game ended with status $(cat "$E2E_DIR/status")"
keys s
expect_red_cursor_on 24
keys s Enter
expect_restored_after_exit 0

note "SIGTERM, not ignored, still ends it"
start_shell 162 42
start_game sh "$E2E_DIR/ignoring.sh" "$GAME"
expect_title_screen
wait_for_file "$E2E_DIR/pid"
kill -TERM "$(game_pid)"
expect_restored_after_exit 143

echo "PASS"
