# Shared helpers for the end-to-end tests: the real program in a real
# terminal, a tmux pane on a private tmux server that is always shut down.
#
# Usage in a test: source "$(dirname "$0")/lib.sh" "$@"
# $1 is the program.

set -u

GAME=$1
E2E_SOCKET="brannocktide-e2e-$$-$RANDOM"
E2E_DIR=$(mktemp -d)
E2E_PANE=none
# tmux draws and reports UTF-8 only in a UTF-8 locale.
export LC_ALL=C.UTF-8

tmx() { tmux -L "$E2E_SOCKET" -f /dev/null "$@"; }

e2e_cleanup() {
    tmx kill-server >/dev/null 2>&1
    rm -rf "$E2E_DIR"
}
trap e2e_cleanup EXIT

# Trailing blanks are kept, so every line is as wide as the pane.
screen() { tmx capture-pane -p -N -t "$E2E_PANE" 2>/dev/null; }

fail() {
    echo "FAIL: $*" >&2
    echo "--- the pane:" >&2
    screen >&2
    exit 1
}

note() { echo "-- $*"; }

# Polls until the command succeeds; fails the test after the timeout.
wait_until() {
    local what=$1 timeout=$2
    shift 2
    local deadline=$((SECONDS + timeout))
    mismatch=""
    until "$@"; do
        if ((SECONDS >= deadline)); then
            fail "timed out after ${timeout}s waiting for: $what${mismatch:+ ($mismatch)}"
        fi
        sleep 0.05
    done
}

screen_has() { screen | grep -qF -- "$1"; }
screen_lacks() { ! screen_has "$1"; }
wait_for_text() { wait_until "text '$1'" "${2:-10}" screen_has "$1"; }
wait_for_file() { wait_until "file $1" "${2:-10}" test -s "$1"; }
pane_format() { tmx display-message -p -t "$E2E_PANE" "$1"; }

# A fresh pane running an interactive shell, `columns` × `lines` cells. The
# new session is up before the old one goes, so the server never runs empty
# (it would exit under the next command).
E2E_SESSIONS=0
start_shell() {
    local columns=$1 lines=$2 previous=$E2E_PANE
    E2E_SESSIONS=$((E2E_SESSIONS + 1))
    E2E_PANE=e2e$E2E_SESSIONS
    tmx new-session -d -s "$E2E_PANE" -x "$columns" -y "$lines" \
        "env PS1='$ ' TERM=screen bash --norc --noprofile -i" || fail "tmux did not start"
    tmx kill-session -t "$previous" >/dev/null 2>&1
    rm -f "$E2E_DIR/ready"
    run_in_pane "echo ready > $E2E_DIR/ready"
    wait_for_file "$E2E_DIR/ready"
}

run_in_pane() {
    tmx send-keys -t "$E2E_PANE" -l "$1"
    tmx send-keys -t "$E2E_PANE" Enter
}

keys() { tmx send-keys -t "$E2E_PANE" "$@"; }

resize_to() { tmx resize-window -t "$E2E_PANE" -x "$1" -y "$2"; }

# `count` cells of line `y` from column `x`, as tmux shows them (every
# character of the title screen is one cell wide in tmux).
cells() {
    local y=$1 x=$2 count=$3 line
    line=$(screen | sed -n "$((y + 1))p")
    printf '%s' "${line:x:count}"
}

# True when the cells hold the text; otherwise says what is there instead.
cells_are() {
    local y=$1 x=$2 expected=$3 actual
    actual=$(cells "$y" "$x" "${#expected}")
    [[ $actual == "$expected" ]] && return 0
    mismatch="line $y column $x: expected '$expected', found '$actual'"
    return 1
}

expect_cells() { cells_are "$@" || fail "$mismatch"; }

# The SGR parameters in force at column `x` of line `y` ("" for none).
attributes_at() {
    local y=$1 x=$2 line column=0 i=0 sgr="" char
    line=$(tmx capture-pane -p -N -e -t "$E2E_PANE" | sed -n "$((y + 1))p")
    while ((i < ${#line})); do
        char=${line:i:1}
        if [[ $char == $'\e' ]]; then
            local rest=${line:i+2}
            local params=${rest%%m*}
            case $params in
                '' | 0 | 39) sgr="" ;;
                *) sgr="$sgr;$params" ;;
            esac
            i=$((i + 2 + ${#params} + 1))
            continue
        fi
        if ((column == x)); then
            printf '%s' "$sgr"
            return
        fi
        column=$((column + 1))
        i=$((i + 1))
    done
}

# The key that moved it may still be on its way to the game: wait for the
# cursor before its colour is read.
expect_red_cursor_on() {
    local y=$1
    wait_until "the cursor on line $y" 5 cells_are "$y" 68 "▷ "
    [[ $(attributes_at "$y" 68) == *91* ]] || fail "the cursor on line $y is not light red"
}

# The frame covers columns 0 to 159 and lines 0 to 39: each glyph is one
# cell wide in tmux and followed by its filler, so the right edge is drawn in
# column 158 and its filler fills column 159.
title_screen_drawn() {
    cells_are 0 0 "┌─" && cells_are 0 157 "─┐ " && cells_are 39 0 "└─" && cells_are 39 157 "─┘ " &&
        cells_are 1 0 "│ " && cells_are 1 157 " │ " && cells_are 20 0 "│ " && cells_are 20 157 " │ " &&
        cells_are 38 0 "│ " && cells_are 38 157 " │ " &&
        cells_are 16 67 " ♤  ♧  Brannocktide ◇  ♡  " &&
        cells_are 20 74 " Game Start " && cells_are 24 72 " Play Simulation " && cells_are 28 77 " Exit " &&
        nothing_outside_the_frame
}

nothing_outside_the_frame() {
    local right="" below line y=0
    while IFS= read -r line; do
        if ((y < 40)); then
            right+=${line:160}
        else
            below+=$line
        fi
        y=$((y + 1))
    done < <(screen)
    right=${right// /}
    below=${below// /}
    [[ -z $right && -z $below ]] && return 0
    mismatch="something outside the frame: '$right$below'"
    return 1
}

expect_title_screen() {
    wait_until "the title screen" 10 title_screen_drawn
}

# Runs the command (the program, or a tracer running it) in the pane with the terminal's settings saved before and
# after, its process id, and its exit status. The runner outlives a Ctrl-C
# that ends the program (an interactive shell would drop the rest of a
# command line).
start_game() {
    local command=$* d=$E2E_DIR
    rm -f "$d"/before "$d"/after "$d"/status "$d"/pid
    cat > "$d/run.sh" <<RUN
trap : INT
stty -g > $d/before
sh -c 'echo \$\$ > $d/pid; exec "\$@"' sh $command
echo \$? > $d/status
stty -g > $d/after
printf 'plain%s\\n' -text
RUN
    run_in_pane "bash $d/run.sh"
}

game_pid() { cat "$E2E_DIR/pid"; }

# Runs the program as a job of its own, for Ctrl-Z: with other processes in
# its job the shell may take the terminal back (and print on the game's
# screen) before the program has given it back.
start_game_alone() {
    rm -f "$E2E_DIR"/before "$E2E_DIR"/after "$E2E_DIR"/status
    run_in_pane "stty -g > $E2E_DIR/before"
    wait_for_file "$E2E_DIR/before"
    run_in_pane "$1"
}

# The process group in the foreground of the pane: the program started alone.
foreground_group() { ps -o tpgid= -p "$(pane_format '#{pane_pid}')" | tr -d ' '; }

# Continues the stopped program; its exit status and the settings after it
# are saved as start_game saves them.
resume_game() {
    run_in_pane "fg; echo \$? > $E2E_DIR/status; stty -g > $E2E_DIR/after; printf 'plain%s\\n' -text"
}

# The program ended with the status and left the terminal as it found it:
# same settings, main screen, cursor shown, no colour left on.
expect_restored_after_exit() {
    local expected_status=$1
    wait_for_file "$E2E_DIR/after"
    local status
    status=$(cat "$E2E_DIR/status")
    [[ $status == "$expected_status" ]] || fail "exit status $status, expected $expected_status"
    cmp -s "$E2E_DIR/before" "$E2E_DIR/after" ||
        fail "terminal settings changed: $(cat "$E2E_DIR/before") -> $(cat "$E2E_DIR/after")"
    expect_terminal_given_back
    wait_for_text "plain-text"
    tmx capture-pane -p -e -t "$E2E_PANE" | grep -F "plain-text" | grep -q $'\e' &&
        fail "text after the program still has attributes"
    return 0
}

expect_terminal_given_back() {
    [[ $(pane_format '#{alternate_on}') == 0 ]] || fail "still on the alternate screen"
    [[ $(pane_format '#{cursor_flag}') == 1 ]] || fail "the cursor is still hidden"
}

# From the title screen: the menu item the keys choose (Enter alone: Game
# Start), then the name and the number of computers typed.
start_a_game() {
    local menu=$1 name=$2 computers=$3
    keys $menu
    wait_for_text "Player 이름 입력 : " 20
    keys -l "$name"
    keys Enter
    wait_for_text "Computer 인원 입력(1~6) : " 10
    keys "$computers" Enter
}

# Samples the pane for the seconds; every sample taken while the table is
# gone (a frame of the shuffle) goes to the command `check`. Leaves the counts
# in all_samples and shuffle_samples.
sample_the_shuffle() {
    local seconds=$1 check=$2 end=$((SECONDS + $1)) sample
    all_samples=0 shuffle_samples=0
    while ((SECONDS < end)); do
        sample=$(screen)
        [[ -n $sample ]] || continue # tmux was busy
        all_samples=$((all_samples + 1))
        head -1 <<<"$sample" | grep -q '┌' && continue # the table, before or after
        shuffle_samples=$((shuffle_samples + 1))
        "$check" "$sample"
    done
}

# Runs the program under strace in the pane (a real terminal), with stderr
# to a file; it must end with the status, one line on stderr naming `what`,
# and neither a write to standard output nor a change of the terminal's
# settings.
expect_refused() {
    local status=$1 what=$2
    shift 2
    local err=$E2E_DIR/refused.err
    rm -f "$err" "$E2E_DIR/trace"
    # The sanitizer build's leak check cannot work under a tracer.
    cat >"$E2E_DIR/refused.sh" <<RUN
exec strace -E ASAN_OPTIONS=detect_leaks=0 -o $E2E_DIR/trace -e trace=write,ioctl $* 2>$err
RUN
    start_game bash "$E2E_DIR/refused.sh"
    expect_restored_after_exit "$status"
    [[ $(wc -l <"$err") == 1 ]] || fail "$*: stderr is not one line: $(cat "$err")"
    grep -qF -- "$what" "$err" || fail "$*: stderr does not name $what: $(cat "$err")"
    grep -E '^write\(1,|TCSETS|TIOCSWINSZ' "$E2E_DIR/trace" && fail "$*: the terminal was touched"
    note "refused: $(cat "$err")"
}
