#!/bin/bash
# brannocktide.exe under wine in a tmux pane, as a person at a console sees
# it, on one of the Windows program's two presentation paths:
#
#   cells      the legacy console's path: wine's console takes the sequence
#              mode without carrying sequences out, so the program draws in
#              a screen buffer of its own (one WriteConsoleOutputW a frame)
#              and hands the alternate screen to the terminal behind wine
#   sequences  the path of Windows 10 and later: the frame encoder's
#              sequences in the alternate screen, one write a frame. Wine's
#              console cannot carry sequences, so the testing aid
#              BRANNOCKTIDE_SEQUENCES_TO sends them to the pane's terminal;
#              modes, sizes, keys and the restore still go to the console
#
# Both paths pass the same checks:
#   the title screen; the menu moved by s, S, W, ㄴ, ㅈ and the cursor keys;
#   Exit by the menu: status 0, the shell's screen back
#   Ctrl-C at the title: the shell's screen back
#   wine's relay trace of a game: one console output call per frame; the
#   calls that size a screen buffer only on the game's own buffer (cells),
#   none at all (sequences)
#   a name typed in Hangul; the screen sampled during the shuffle: never
#   blank, never half a card
#   in a pane narrower than the table: the notice with both sizes, and a
#   key plays on; on the sequences path the size asked for as a terminal is
#   through console_driver.exe, which puts in what a terminal's keys cannot:
#   a key record counting two presses and a character on Alt's release move
#   the menu; QuickEdit off while the game runs and back after; the window
#   shrunk (the notice) and grown again (the table whole); "Play
#   Simulation" to its third winner line; Ctrl-C: the shell's screen back
# and, on the cells run (the line comes before either path): an error line
# naming a Hangul folder reads whole.
#
# Usage: wine_console_checks.sh EXE DRIVER cells|sequences (wine's
# environment set by the caller)
source "$(dirname "$0")/wine_pane.sh" "$1"
exe=$1 driver=$2 path=$3
[[ $path == cells || $path == sequences ]] || fail "no such path: '$path'"
note "the $path path"

marker="shell-line-before-the-game"

# The pane shows the shell's line again and nothing of the table.
shell_screen_back() {
    screen_has "$marker" && screen_lacks "┌─" && screen_lacks "Brannocktide"
}

# A Unix path as wine's programs name it.
windows_path() { printf 'Z:%s' "${1//\//\\}"; }

# Runs a command in the pane and keeps its exit status; on the sequences
# path the frames go to the pane's own terminal.
cat >"$E2E_DIR/run.sh" <<'RUN'
status=$1 path=$2
shift 2
if [[ $path == sequences ]]; then
    export BRANNOCKTIDE_SEQUENCES_TO="Z:$(tty | tr / '\\')"
fi
"$@"
echo $? >"$status"
RUN

# Starts the game under wine in a fresh pane of the size (162 × 42 unless
# given), after a line of the shell's; `environment` goes before wine,
# `redirect` after the game's arguments. With DRIVER=1 the game runs under
# console_driver.exe, which carries out the lines added to $commands.
commands=$E2E_DIR/commands
report=$E2E_DIR/report
run_game() {
    local environment=${1:-} redirect=${2:-} columns=${3:-162} lines=${4:-42} program
    program="wine '$exe'"
    if [[ ${DRIVER:-0} == 1 ]]; then
        : >"$commands"
        rm -f "$report"
        program="wine '$driver' '$(windows_path "$commands")' '$(windows_path "$report")' '$(windows_path "$exe")'"
    fi
    # A wine started while the last one's server is still going down may end
    # at once: wait for it to be gone.
    timeout 60 wineserver -w
    start_shell "$columns" "$lines"
    rm -f "$E2E_DIR/status" "$E2E_DIR/output"
    tmx pipe-pane -o -t "$E2E_PANE" "cat >> $E2E_DIR/output"
    run_in_pane "echo $marker; $environment bash $E2E_DIR/run.sh $E2E_DIR/status $path $program --pace ${PACE:-1} $redirect"
}

# The cursor on the item of the menu on line y.
cursor_on() { wait_until "the cursor on line $1" 10 cells_are "$1" 68 "▷ "; }

note "the title screen, the menu's keys, Exit by the menu"
run_game
wait_until "the title screen" 60 title_screen_drawn
expect_red_cursor_on 20
keys s
cursor_on 24
keys S
cursor_on 28
keys W
cursor_on 24
keys ㅈ
cursor_on 20
keys ㄴ
cursor_on 24
keys Up
cursor_on 20
keys Down Down
cursor_on 28
keys Enter
wait_for_file "$E2E_DIR/status" 30
[[ $(cat "$E2E_DIR/status") == 0 ]] || fail "exit status $(cat "$E2E_DIR/status"), expected 0"
[[ $(pane_format '#{cursor_flag}') == 1 ]] || fail "the cursor is still hidden after the program"
wait_until "the shell's screen back after Exit" 10 shell_screen_back

note "Ctrl-C at the title"
run_game
wait_until "the title screen" 60 title_screen_drawn
keys C-c
wait_for_file "$E2E_DIR/status" 30
wait_until "the shell's screen back after Ctrl-C" 10 shell_screen_back

note "console output calls per frame and buffer sizes, by wine's relay trace"
relay=$E2E_DIR/relay.log
calls="WriteConsoleW;WriteConsoleOutputW;WriteConsoleOutputCharacterW;FillConsoleOutputCharacterW"
calls+=";FillConsoleOutputAttribute;SetConsoleTextAttribute;ScrollConsoleScreenBufferW;WriteFile"
calls+=";SetConsoleCursorPosition;SetConsoleCursorInfo;Sleep;ReadConsoleInputW;WaitForSingleObject"
calls+=";SetConsoleScreenBufferSize;SetConsoleWindowInfo"
wine reg add 'HKCU\Software\Wine\Debug' /v RelayInclude /t REG_SZ /d "kernel32.${calls//;/;kernel32.}" /f \
    >/dev/null 2>&1 || fail "could not limit the relay trace"
PACE=0.05 run_game WINEDEBUG=+relay "2>$relay"
wait_until "the title screen" 60 title_screen_drawn
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
        } else if (name !~ /^(SetConsoleScreenBufferSize|SetConsoleWindowInfo)$/) {
            draw++; calls++
        }
    }
    END { print waits, frames, calls, most + 0, cursor + 0 }')
read -r waits frames output most cursor <<<"$counts"
note "relay: $waits waits, $frames frames, $output output calls in all, at most $most in one frame," \
    "$cursor cursor calls (the glyph probe and typing)"
((frames > 50)) || fail "only $frames frames traced"
((most == 1)) || fail "a frame took $most console output calls"
# The handle of the game's own buffer (the one it draws its cells in), and
# the handles the sizing calls took.
own=$(grep -m1 "Call KERNEL32.WriteConsoleOutputW(" "$relay" | sed 's/.*W(//; s/,.*//')
sized=$(grep -E "Call KERNEL32\.(SetConsoleScreenBufferSize|SetConsoleWindowInfo)\(" "$relay" |
    sed 's/.*Info(\|.*Size(//; s/,.*//' | sort -u | tr '\n' ' ')
note "relay: the game's own buffer ${own:-none}; buffers sized: ${sized:-none}"
if [[ $path == sequences ]]; then
    [[ -z $sized ]] || fail "a screen buffer was sized on the sequence path: $sized"
else
    [[ -n $own && $sized == "$own " ]] || fail "buffers sized: '$sized', the game's own: '$own'"
fi

note "a name typed in Hangul, with Backspace; then the screen sampled during the shuffle"
run_game
wait_until "the title screen" 60 title_screen_drawn
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

# Narrower only: wine's console draws every line of a screen buffer into the
# terminal, so on the cells path a buffer taller than the pane scrolls the
# notice away, and one wider wraps its lines (a console's window shows the
# buffer's top-left corner instead).
note "in a pane narrower than the table: the notice, then a key plays on"
run_game "" "" 120 42
wait_for_text "필요한 크기 162×42" 60
wait_for_text "지금 120×42" 5
keys x
wait_until "the notice gone" 10 screen_lacks "필요한 크기"
if [[ $path == sequences ]]; then
    wait_until "the title, clipped to the pane" 10 cells_are 20 75 "Game Start"
    # The size asked for as of a terminal, where the user's buffer is not
    # the game's to size.
    grep -qF $'\e[8;42;162t' "$E2E_DIR/output" || fail "the window's size was not asked for"
fi
keys C-c
wait_for_file "$E2E_DIR/status" 30
wait_until "the shell's screen back after Ctrl-C" 10 shell_screen_back

note "through the driver: key records, QuickEdit, the window's size, a game, Ctrl-C"
command() { echo "$*" >>"$commands"; }
DRIVER=1 PACE=0.05 run_game
wait_until "the title screen" 60 title_screen_drawn
command key "$(printf '%d' "'s")" 2 # s held: one record counting two presses
cursor_on 28
command altup "$(printf '%d' "'w")" # w as Alt and the number pad bring it
cursor_on 24
command mode
modes_reported() { [[ $(grep -sc '^mode' "$report") == "$1" ]]; }
wait_until "the input mode" 10 modes_reported 2
modes=$(sed -n 's/^mode //p' "$report" | tr '\n' ' ')
read -r before during <<<"$modes"
((0x$before & 0x40)) || fail "QuickEdit was off before the game (input mode $before)"
((0x$during & 0x40)) && fail "QuickEdit is on while the game runs (input mode $during)"
command size 120 30
wait_for_text "지금 120×30" 10
command size 162 42
wait_until "the table whole again" 10 title_screen_drawn
keys Enter
wait_for_text "Player 이름 입력 : " 20
keys -l tester
keys Enter
wait_for_text "Computer 인원 입력(1~6) : " 10
keys 2 Enter
winner_shown() { screen | sed -n 15p | grep -qF "패로 승리하였습니다!"; }
for hand in 1 2 3; do
    wait_until "winner line $hand" 90 winner_shown
    keys x
    wait_until "the next hand after winner line $hand" 20 eval '! winner_shown'
done
keys C-c
wait_for_file "$E2E_DIR/status" 30
wait_until "the shell's screen back after Ctrl-C" 10 shell_screen_back
wait_until "the driver's report" 10 grep -q '^status' "$report"
[[ $(sed -n 's/^mode //p' "$report" | tail -1) == "$before" ]] ||
    fail "the input mode was not given back: $(cat "$report")"

if [[ $path == cells ]]; then
    note "an error line naming a Hangul folder"
    mkdir -p "$E2E_DIR/한글"
    start_shell 162 42
    run_in_pane "cd $E2E_DIR; wine '$exe' --save 한글"
    wait_for_text "brannocktide: cannot use 한글: it is a folder" 30
fi

echo "PASS"
