#!/bin/bash
# Every way out of a game kept with --save says on stderr where the game is
# kept and how to go on with it, or, while the save fails, what was lost:
# the end of the input, and Ctrl-C, SIGTERM and SIGHUP at a winner line;
# each after saves that worked and after a save whose folder had gone.
source "$(dirname "$0")/lib.sh" "$@"

dir=$E2E_DIR/saves
input=$E2E_DIR/input

# Play Simulation until the second winner line, where the game waits; its
# folder goes first when asked (the second hand's save then fails).
# Then the way out: a signal, or the end of the input. Sets status and err.
play_and_leave() {
    local way=$1 failing=$2
    rm -rf "$dir" "$input"
    mkdir -p "$dir"
    mkfifo "$input"
    # A job in the background of a script starts with Ctrl-C ignored: not this one.
    env --default-signal=INT "$GAME" --pace 0 --seed 5 --save "$dir/game.sav" <"$input" >"$E2E_DIR/out" 2>"$E2E_DIR/err" &
    local pid=$!
    exec 3>"$input"
    printf 's\rtester\n1\n' >&3
    wait_until "the first winner line" 10 grep -qa "패로 승리하였습니다" "$E2E_DIR/out"
    [[ $failing == yes ]] && rm -rf "$dir"
    : >"$E2E_DIR/out"
    printf '\r' >&3
    wait_until "the second winner line" 10 grep -qa "패로 승리하였습니다" "$E2E_DIR/out"
    if [[ $way == end ]]; then
        exec 3>&-
    else
        kill -"$way" "$pid"
        exec 3>&-
    fi
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
