#!/bin/bash
# The Windows program deals the same game as this system's for the same seed:
# "Play Simulation" at --pace 0, fed the same keys from a pipe, shows the
# same winner lines hand after hand, for several seeds and numbers of
# computers.
#
# Usage: same_game_check.sh NATIVE_GAME WINNER_LINES EXE (wine's environment
# set by the caller)
set -euo pipefail
native=$1 winner_lines=$2 exe=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

hands=40
for game in "1 1" "5 2" "100013 1" "7 3" "2026 6"; do
    read -r seed computers <<<"$game"
    { printf 's\rtester\n%s\n' "$computers"; head -c "$hands" /dev/zero | tr '\0' '\r'; } >"$work/keys"
    "$native" --seed "$seed" --pace 0 <"$work/keys" | "$winner_lines" >"$work/native"
    timeout 300 wine "$exe" --seed "$seed" --pace 0 <"$work/keys" 2>/dev/null | "$winner_lines" >"$work/windows"
    # A key answers each winner line but the last, at which the input ends.
    lines=$(wc -l <"$work/native")
    if ((lines != hands + 1)); then
        echo "seed $seed with $computers computer(s): $lines winner lines here, expected $((hands + 1))"
        exit 1
    fi
    if ! diff -u "$work/native" "$work/windows" >"$work/diff"; then
        echo "seed $seed with $computers computer(s): the Windows program dealt another game"
        head -20 "$work/diff"
        exit 1
    fi
    echo "seed $seed with $computers computer(s): the same $lines winner lines"
done

# Kept with --save and taken up again: the Windows program's game, in two
# runs, is this system's game in one.
save=$work/한판.save # a Hangul name reaches the Windows program whole
seed=5 computers=2
{ printf 's\rtester\n%s\n' "$computers"; head -c "$hands" /dev/zero | tr '\0' '\r'; } >"$work/keys"
"$native" --seed "$seed" --pace 0 <"$work/keys" | "$winner_lines" >"$work/native"
{ printf 's\rtester\n%s\n' "$computers"; head -c 15 /dev/zero | tr '\0' '\r'; } |
    timeout 300 wine "$exe" --seed "$seed" --pace 0 --save "$save" 2>/dev/null | "$winner_lines" >"$work/windows"
# The first run showed 16 lines, the last of them unanswered.
head -c $((hands - 16)) /dev/zero | tr '\0' '\r' |
    timeout 300 wine "$exe" --pace 0 --save "$save" 2>/dev/null | "$winner_lines" >>"$work/windows"
if ! diff -u "$work/native" "$work/windows" >"$work/diff"; then
    echo "seed $seed saved and taken up again under wine: another game"
    head -20 "$work/diff"
    exit 1
fi
echo "seed $seed saved and taken up again: the same $(wc -l <"$work/native") winner lines"
