#!/bin/bash
# Under a tracer: the program starts no process (the screen is cleared and
# sized with escape sequences), and everything it draws between two waits
# reaches the terminal in a single write().
source "$(dirname "$0")/lib.sh" "$@"

if ! command -v strace >/dev/null; then
    if [[ $(id -u) == 0 ]] && command -v apt-get >/dev/null; then
        note "installing strace"
        (apt-get update -qq && apt-get install -y -qq strace) >/dev/null 2>&1
    fi
fi
if ! command -v strace >/dev/null; then
    echo "SKIP: strace is not installed and cannot be installed here"
    exit 0
fi

# The leak checker of a sanitizer build cannot work under a tracer (and
# would start a thread of its own at exit).
tracer="strace -E ASAN_OPTIONS=detect_leaks=0"

note "no process is started"
start_shell 162 42
start_game $tracer -f -o "$E2E_DIR/processes" -e trace=execve,fork,vfork,clone,clone3 "$GAME"
expect_title_screen
keys s s Enter
expect_restored_after_exit 0
execs=$(grep -c 'execve(' "$E2E_DIR/processes")
forks=$(grep -cE '(fork|clone3?)\(' "$E2E_DIR/processes")
[[ $execs == 1 && $forks == 0 ]] ||
    fail "expected the one exec of the program and no other process: $(cat "$E2E_DIR/processes")"

note "one write per wait"
# The program waits with select().
start_game $tracer -o "$E2E_DIR/calls" -e trace=write,read,poll,ppoll,select,pselect6 -e signal=none "$GAME"
expect_title_screen
keys s w s s Enter
expect_restored_after_exit 0
# Keep the writes to the terminal and the waits for the keyboard or the clock.
grep -E '^(write\(1,|p?poll\(|p?select6?\()' "$E2E_DIR/calls" > "$E2E_DIR/flow"
writes=$(grep -c '^write(1,' "$E2E_DIR/flow")
# The start (the probe), the size request with the title, one redraw per
# key but Enter, and the restore at the end.
[[ $writes == 7 ]] || fail "expected 7 writes, found $writes: $(cut -c1-100 "$E2E_DIR/flow")"
previous=""
while IFS= read -r call; do
    if [[ $call == write* && $previous == write* ]]; then
        fail "two writes without a wait between them: $previous / $call"
    fi
    if [[ $call == write* ]]; then
        [[ $call =~ ,\ ([0-9]+)\)\ +=\ ([0-9]+)$ ]] || fail "unreadable write: $call"
        [[ ${BASH_REMATCH[1]} == "${BASH_REMATCH[2]}" ]] || fail "a write was cut short: $call"
    fi
    previous=$call
done < "$E2E_DIR/flow"
title_bytes=$(grep '^write(1,' "$E2E_DIR/flow" | sed -n 2p | sed -E 's/.*= ([0-9]+)$/\1/')
note "title screen: one write of $title_bytes bytes"

echo "PASS"
