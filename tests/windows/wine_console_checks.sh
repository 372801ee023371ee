#!/bin/bash
# brannocktide.exe under wine in a tmux pane, as a person at a console sees
# it. Wine's console takes terminal sequences without carrying them out, so
# the program draws in a screen buffer of its own (one WriteConsoleOutputW a
# frame) and hands the alternate screen to the terminal behind wine.
#
#   the title screen, Exit by the menu: status 0, the shell's screen back
#   Ctrl-C at the title: the shell's screen back
#   console output calls per frame, counted by wine's relay trace: one
#   the screen sampled during the shuffle: never blank, never half a card
#
# Usage: wine_console_checks.sh EXE (wine's environment set by the caller)
source "$(dirname "$0")/wine_pane.sh" "$1"
exe=$1

marker="shell-line-before-the-game"

# The pane shows the shell's line again and nothing of the table.
shell_screen_back() {
    screen_has "$marker" && screen_lacks "┌─" && screen_lacks "Brannocktide"
}

# Starts the game under wine in a fresh pane, after a line of the shell's;
# `environment` goes before wine, `redirect` after the game's arguments.
run_game() {
    local environment=${1:-} redirect=${2:-}
    # A wine started while the last one's server is still going down may end
    # at once: wait for it to be gone.
    timeout 60 wineserver -w
    start_shell 162 42
    rm -f "$E2E_DIR/status"
    run_in_pane "echo $marker; $environment wine '$exe' --pace ${PACE:-1} $redirect; echo \$? > $E2E_DIR/status"
    wait_until "the title screen" 60 title_screen_drawn
}

note "the title screen, Exit by the menu"
run_game
expect_red_cursor_on 20
keys s
wait_until "the cursor on the second item" 10 cells_are 24 68 "▷ "
keys s
wait_until "the cursor on the last item" 10 cells_are 28 68 "▷ "
keys Enter
wait_for_file "$E2E_DIR/status" 30
[[ $(cat "$E2E_DIR/status") == 0 ]] || fail "exit status $(cat "$E2E_DIR/status"), expected 0"
[[ $(pane_format '#{cursor_flag}') == 1 ]] || fail "the cursor is still hidden after the program"
wait_until "the shell's screen back after Exit" 10 shell_screen_back

note "Ctrl-C at the title"
run_game
keys C-c
wait_for_file "$E2E_DIR/status" 30
wait_until "the shell's screen back after Ctrl-C" 10 shell_screen_back

note "console output calls per frame, by wine's relay trace"
relay=$E2E_DIR/relay.log
calls="WriteConsoleW;WriteConsoleOutputW;WriteConsoleOutputCharacterW;FillConsoleOutputCharacterW"
calls+=";FillConsoleOutputAttribute;SetConsoleTextAttribute;ScrollConsoleScreenBufferW"
calls+=";SetConsoleCursorPosition;SetConsoleCursorInfo;Sleep;ReadConsoleInputW;WaitForSingleObject"
wine reg add 'HKCU\Software\Wine\Debug' /v RelayInclude /t REG_SZ /d "kernel32.${calls//;/;kernel32.}" /f \
    >/dev/null 2>&1 || fail "could not limit the relay trace"
PACE=0.05 run_game WINEDEBUG=+relay "2>$relay"
start_a_game "s Enter" wine 1
sleep 8 # the first hands, with the first winner line
keys x
sleep 3
keys C-c
wait_for_file "$E2E_DIR/status" 30
wine reg delete 'HKCU\Software\Wine\Debug' /v RelayInclude /f >/dev/null 2>&1
# The game's drawing thread is the one that reads the keys.
drawing=$(grep -m1 "Call KERNEL32.ReadConsoleInputW" "$relay" | cut -d: -f1)
[[ -n $drawing ]] || fail "no key read in the relay trace"
counts=$(grep "^$drawing:Call KERNEL32" "$relay" | awk '
    match($0, /Call KERNEL32\.[A-Za-z]+/) {
        name = substr($0, RSTART + 14, RLENGTH - 14)
        if (name ~ /^(Sleep|ReadConsoleInputW|WaitForSingleObject)$/) {
            if (waits > 0) { if (draw > most) most = draw; frames += draw > 0 }
            waits++; draw = 0
        } else if (name ~ /^SetConsoleCursor/) {
            cursor++
        } else {
            draw++; calls++
        }
    }
    END { print waits, frames, calls, most + 0, cursor + 0 }')
read -r waits frames output most cursor <<<"$counts"
note "relay: $waits waits, $frames frames, $output output calls in all, at most $most in one frame," \
    "$cursor cursor calls (the glyph probe and typing)"
((frames > 50)) || fail "only $frames frames traced"
((most == 1)) || fail "a frame took $most console output calls"

note "a name typed in Hangul, with Backspace; then the screen sampled during the shuffle"
run_game
keys s Enter
wait_for_text "Player 이름 입력 : " 20
keys -l 한글이름
keys BSpace BSpace
keys -l ab
wait_for_text "Player 이름 입력 : 한글ab" 10
keys Enter
wait_for_text "Computer 인원 입력(1~6) : " 10
keys 1 Enter
# From the count on, the first shuffle draws its 48 frames in 2.4 s: the
# table is gone and only the two cards show. A shuffle frame is whole when
# every line of the deck's place shows a card; a blank one shows none.
card_lines() {
    local line count=0
    while IFS= read -r line; do
        [[ ${line:60:56} == *[┌└│※]* ]] && count=$((count + 1))
    done < <(sed -n '16,25p' <<<"$1")
    echo "$count"
}
torn=0
count_torn() {
    if (($(card_lines "$1") != 10)); then
        torn=$((torn + 1))
        [[ -s $E2E_DIR/torn ]] || echo "$1" >"$E2E_DIR/torn"
    fi
}
sample_the_shuffle 4 count_torn
note "shuffle: $all_samples samples, $shuffle_samples of them during the shuffle, $torn torn or blank"
((shuffle_samples > 10)) || fail "only $shuffle_samples samples during the shuffle"
((torn == 0)) || fail "$torn of $shuffle_samples samples showed a torn or blank frame: $(cat "$E2E_DIR/torn")"
wait_for_text "한글ab(금액:1000000)" 10
keys C-c
wait_for_file "$E2E_DIR/status" 30

echo "PASS"
