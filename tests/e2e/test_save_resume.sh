#!/bin/bash
# A game kept with --save outlives its process. "Play Simulation" at
# --pace 0, fed from a pipe, is ended by a signal at a hundred random moments
# (SIGKILL mostly, also SIGHUP as when the terminal closes, SIGINT as
# Ctrl-C, and SIGTERM) and taken up again each time with --save FILE alone
# (and --history, which takes each hand once);
# the winner lines of all the runs together are the uninterrupted game's,
# in order, none twice. Then: the finished save starts at the title; a save
# in use, a damaged one and a folder are refused with one line, the
# terminal untouched and the file as it was.
#
# Usage: test_save_resume.sh GAME (WINNER_LINES names tests/tools/winner_lines)
source "$(dirname "$0")/lib.sh" "$1"
winner_lines=${WINNER_LINES:?the winner_lines program}
save=$E2E_DIR/game.save
history=$E2E_DIR/history.txt
seed=100002 # one computer, 1,429 hands
keys=1500

setup_keys() { printf 's\rtester\n1\n'; }
hand_keys() { head -c "$keys" /dev/zero | tr '\0' '\r'; }
# The hand a resumed game starts at; 1 before the first save.
saved_hand() { if [[ -f $save ]]; then awk '$1 == "played" { print $2 + 1 }' "$save"; else echo 1; fi; }
# A finished game leaves one seat with money.
finished() { [[ $(awk '$1 == "seat" && $2 > 0' "$save" | wc -l) == 1 ]]; }

note "the uninterrupted game"
{ setup_keys; hand_keys; } | "$GAME" --seed "$seed" --pace 0 | "$winner_lines" >"$E2E_DIR/full"
total=$(wc -l <"$E2E_DIR/full")
((total == 1429)) || fail "the game of seed $seed showed $total winner lines, expected 1,429"

note "the same game, ended by signals and taken up again"
signals=(KILL KILL KILL KILL KILL HUP INT TERM)
: >"$E2E_DIR/shown"
: >"$E2E_DIR/unseen"
runs=0
while :; do
    if [[ -f $save ]]; then
        hand_keys >"$E2E_DIR/input"
        arguments=(--save "$save" --history "$history" --pace 0)
    else # ended before its first save: the game starts again from the title
        { setup_keys; hand_keys; } >"$E2E_DIR/input"
        arguments=(--save "$save" --history "$history" --seed "$seed" --pace 0)
    fi
    "$GAME" "${arguments[@]}" <"$E2E_DIR/input" >"$E2E_DIR/output" 2>"$E2E_DIR/stderr" &
    pid=$!
    if ((runs < ${KILLS:-100})); then
        sleep "0.$(printf '%03d' $((RANDOM % 400)))"
        kill -"${signals[RANDOM % ${#signals[@]}]}" "$pid" 2>/dev/null
    fi
    wait "$pid" 2>/dev/null
    status=$?
    runs=$((runs + 1))
    # Only where the game is kept, when a signal or the end of the input ended it.
    grep -qv '^brannocktide: the game is kept in ' "$E2E_DIR/stderr" && fail "run $runs wrote to stderr: $(cat "$E2E_DIR/stderr")"
    "$winner_lines" <"$E2E_DIR/output" >>"$E2E_DIR/shown"
    # Every hand whose line was shown is saved (none shown twice); a signal
    # between a save and the line that follows it leaves that one line unseen.
    settled=$(($(saved_hand) - 1))
    accounted=$(($(wc -l <"$E2E_DIR/shown") + $(wc -l <"$E2E_DIR/unseen")))
    if ((accounted == settled - 1)); then
        echo "$settled" >>"$E2E_DIR/unseen"
    elif ((accounted != settled)); then
        fail "run $runs: $accounted winner lines shown for $settled hands saved"
    fi
    if ((runs > ${KILLS:-100})); then
        ((status == 0)) || fail "the last run ended with status $status"
        break
    fi
done
finished || fail "the save does not record the game as finished"
# The history holds every hand once, in order, and one summary.
grep -o 'Hand #[0-9]*' "$history" | cut -d'#' -f2 >"$E2E_DIR/numbers"
seq 1 "$total" | cmp -s - "$E2E_DIR/numbers" || fail "the history's hands are not 1 to $total, each once"
[[ $(grep -c "GAME SUMMARY" "$history") == 1 ]] || fail "not one game summary in the history"
awk -v unseen="$E2E_DIR/unseen" 'BEGIN { while ((getline hand <unseen) > 0) skip[hand] = 1 } !(FNR in skip)' \
    "$E2E_DIR/full" >"$E2E_DIR/expected"
cmp -s "$E2E_DIR/expected" "$E2E_DIR/shown" || fail "the winner lines differ from the uninterrupted game's"
note "$runs runs, $(wc -l <"$E2E_DIR/shown") winner lines as in the uninterrupted game; $(wc -l <"$E2E_DIR/unseen") settled while its line was on its way"

note "a finished save starts at the title, and Exit leaves it as it was"
cp "$save" "$E2E_DIR/finished.save"
printf 'ss\r' | "$GAME" --save "$save" --pace 0 >"$E2E_DIR/output" || fail "Exit at the title: status $?"
grep -qa "Play Simulation" "$E2E_DIR/output" || fail "no title screen after the finished game"
cmp -s "$save" "$E2E_DIR/finished.save" || fail "the finished save changed at the title"

start_shell 162 42
note "a save in use by another copy"
sleep 30 | "$GAME" --save "$save" --pace 0 >/dev/null &
holder=$!
sleep 0.5
expect_refused 1 "$save is in use" "$GAME" --save "$save"
kill "$holder" 2>/dev/null
wait "$holder" 2>/dev/null
cmp -s "$save" "$E2E_DIR/finished.save" || fail "the save changed while in use"

note "damaged saves and folders"
sed '0,/^seat /s/^seat [0-9]*/seat 999/' "$E2E_DIR/finished.save" >"$save"
cp "$save" "$E2E_DIR/damaged"
expect_refused 1 "checksum" "$GAME" --save "$save"
cmp -s "$save" "$E2E_DIR/damaged" || fail "a damaged save was changed"
head -c 300 "$E2E_DIR/finished.save" >"$save"
expect_refused 1 "cut short" "$GAME" --save "$save"
expect_refused 1 "folder" "$GAME" --save "$E2E_DIR"
expect_refused 1 "No such file or directory" "$GAME" --save "$E2E_DIR/missing/game.save"
echo PASS
