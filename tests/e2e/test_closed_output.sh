#!/bin/bash
# The game's output piped into a reader that leaves after one byte
# (`brannocktide | head -c 1`): at the next key the game finds its output
# gone and ends, and the terminal it read the keys from is given back as it
# was. SIGPIPE ends it, as any program in such a pipe; where SIGPIPE is
# ignored, the failed write ends it with status 1 and a line that says so.
source "$(dirname "$0")/lib.sh" "$@"

# Runs the game into `head -c 1` in the pane, `prelude` run first in the
# same shell; saves the settings before and after and the game's status.
start_piped_game() {
    local prelude=$1 d=$E2E_DIR
    rm -f "$d"/before "$d"/after "$d"/status "$d"/head
    cat > "$d/run.sh" <<RUN
$prelude
stty -g > $d/before
"$GAME" | head -c 1 > $d/head
echo \${PIPESTATUS[0]} > $d/status
stty -g > $d/after
printf 'plain%s\\n' -text
RUN
    run_in_pane "bash $d/run.sh"
}

# The reader took its byte and left; the game waits for a key meanwhile.
reader_gone() {
    wait_for_file "$E2E_DIR/head"
    sleep 0.3
    [[ ! -e $E2E_DIR/after ]] || fail "the game ended before a key was pressed"
}

note "SIGPIPE at the first key after the reader left"
start_shell 162 42
start_piped_game ""
reader_gone
keys s
expect_restored_after_exit $((128 + 13))

note "SIGPIPE ignored: the failed write ends the game"
start_shell 162 42
start_piped_game "trap '' PIPE"
reader_gone
keys s
expect_restored_after_exit 1
wait_for_text "brannocktide: the output was closed; the game ends"

echo "PASS"
