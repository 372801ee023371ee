#!/bin/bash
# Every way out of a game kept with --save says on stderr where the game is
# kept and how to go on with it, or, while the save fails, what was lost:
# the end of the input, and Ctrl-C, SIGTERM and SIGHUP at a winner line;
# each after saves that worked and after a save whose folder had gone.
source "$(dirname "$0")/lib.sh" "$@"
# A game that ended early fails the test, not the shell that writes to it.
trap '' PIPE

dir=$E2E_DIR/saves
input=$E2E_DIR/input

# Play Simulation until the second winner line, where the game waits; its
# folder goes first when asked (the second hand's save then fails). Each
# hand is in the history just before its winner line shows. Then the way
# out: a signal, or the end of the input. Sets status.
hand_in_history() { grep -q "^Brannocktide Hand #$1:" "$E2E_DIR/history"; }
play_and_leave() {
    local way=$1 failing=$2
    rm -rf "$dir" "$input" "$E2E_DIR/history"
    mkdir -p "$dir"
    mkfifo "$input"
    # A job in the background of a script starts with Ctrl-C ignored: not this one.
    env --default-signal=INT "$GAME" --pace 0 --seed 5 --save "$dir/game.sav" --history "$E2E_DIR/history" \
        <"$input" >/dev/null 2>"$E2E_DIR/err" &
    local pid=$!
    exec 3>"$input"
    printf 's\rtester\n1\n' >&3
    wait_until "the first hand" 20 hand_in_history 1
    [[ $failing == yes ]] && rm -rf "$dir"
    printf '\r' >&3
    wait_until "the second hand" 20 hand_in_history 2
    [[ $way == end ]] || kill -"$way" "$pid"
    exec 3>&-
    wait "$pid" 2>/dev/null
    status=$?
}

kept="brannocktide: the game is kept in $dir/game.sav at hand 3; brannocktide --save $dir/game.sav continues it"
lost="brannocktide: could not save to $dir/game.sav (No such file or directory); the save stopped at hand 2"
for way in end INT TERM HUP; do
    for failing in no yes; do
        note "the way out: $way, the save failing: $failing"
        play_and_leave "$way" "$failing"
        case $way in
        end) expected_status=$([[ $failing == yes ]] && echo 1 || echo 0) ;;
        INT) expected_status=130 ;;
        TERM) expected_status=143 ;;
        HUP) expected_status=129 ;;
        esac
        expected_line=$([[ $failing == yes ]] && echo "$lost" || echo "$kept")
        ((status == expected_status)) || fail "status $status, expected $expected_status"
        [[ $(cat "$E2E_DIR/err") == "$expected_line" ]] || fail "stderr: $(cat "$E2E_DIR/err")"
    done
done
echo PASS
