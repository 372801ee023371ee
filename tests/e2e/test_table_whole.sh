#!/bin/bash
# Nothing drawn covers the table's boxes, one key press answers one wait,
# and Ctrl-L draws the screen again, in a real terminal:
#   a name of twenty syllables typed, six computers, the person passing: the
#   name stops at five syllables and every box outline is whole at every
#   prompt and winner line;
#   Play Simulation with two computers: no label for the seats not in use;
#   garbage written onto the terminal, then Ctrl-L at a winner line, gives
#   back exactly the screen before, still waiting; an Up arrow answers one
#   winner line and the next waits for its own key.
source "$(dirname "$0")/lib.sh" "$@"

# The screen with one character a cell: a Hangul syllable, two cells in the
# terminal, is followed by "@".
cell_rows() { screen | LC_ALL=C sed 's/[\xea-\xed][\x80-\xbf][\x80-\xbf]/&@/g'; }

repeat() { local i; for ((i = 0; i < $2; i++)); do printf '%s' "$1"; done; }

# The boxes, each as "x y cells lines": the frame, the seven panels, the deck.
boxes=("0 0 160 40" "84 26 42 12" "16 1 42 12" "60 1 42 12" "104 1 42 12" "2 14 42 12" "116 14 42 12"
    "40 26 42 12" "73 15 14 10")

# One line a box: its top and bottom edges and the glyphs of its sides, as
# the screen shows them (the deck whole, inside too) ...
outlines() {
    local -a rows
    mapfile -t rows < <(cell_rows)
    local box x y w h r
    for box in "${boxes[@]}"; do
        read -r x y w h <<<"$box"
        printf '%s|%s|' "${rows[y]:x:w}" "${rows[y + h - 1]:x:w}"
        for ((r = y + 1; r < y + h - 1; r++)); do
            if ((x == 73)); then
                printf '%s' "${rows[r]:x:w}"
            else
                printf '%s%s' "${rows[r]:x:2}" "${rows[r]:x + w - 2:2}"
            fi
        done
        echo
    done
}

# ... and as the table draws them: each glyph followed by its filler cell,
# a line's filler continuing the line.
drawn_outlines() {
    local box x y w h r
    for box in "${boxes[@]}"; do
        read -r x y w h <<<"$box"
        printf '%s|%s|' "┌$(repeat ─ $((w - 3)))┐ " "└$(repeat ─ $((w - 3)))┘ "
        for ((r = y + 1; r < y + h - 1; r++)); do
            if ((x == 73)); then printf '│ ※ ※ ※ ※ ※ │ '; else printf '│ │ '; fi
        done
        echo
    done
}
whole=$(drawn_outlines)

boxes_whole() {
    local shown
    shown=$(outlines)
    [[ $shown == "$whole" ]] && return 0
    mismatch=$(diff <(echo "$whole") <(echo "$shown") | grep '^>' | head -1)
    return 1
}
expect_boxes_whole() { boxes_whole || fail "a box is damaged ($1): $mismatch"; }

prompt_shown() { screen | sed -n 15p | grep -qF "1.배팅 2.다이 : " && [[ $(pane_format '#{cursor_flag}') == 1 ]]; }
winner_shown() { screen | sed -n 15p | grep -qF "패로 승리하였습니다!"; }

note "Game Start, twenty syllables typed, six computers, the person passing"
start_shell 162 42
start_game "$GAME" --pace 0.1
expect_title_screen
keys Enter
wait_for_text "Player 이름 입력 : "
keys -l "$(repeat 가나다라마 4)"
wait_for_text "Player 이름 입력 : 가나다라마"
keys Enter
wait_for_text "Computer 인원 입력(1~6) : "
keys 6 Enter
turns=0
until winner_shown; do
    wait_until "a prompt or the winner line" 60 eval 'prompt_shown || winner_shown'
    if prompt_shown; then
        expect_boxes_whole "at a prompt"
        keys 3 Enter
        turns=$((turns + 1))
        wait_until "the answer taken" 10 eval '! prompt_shown || winner_shown'
    fi
done
expect_boxes_whole "at the winner line"
screen_has "가나다라마(금액:" && screen_lacks "가나다라마가" || fail "the name is not cut to five syllables"
note "$turns prompts passed"
kill -TERM "$(game_pid)"
expect_restored_after_exit 143

# Blank cells the terminal never had written and blanks written show alike.
shown() { screen | sed 's/ *$//'; }

# Play Simulation of one seed with two computers, to its first winner line.
to_the_first_winner_line() {
    start_shell 162 42
    start_game "$GAME" --seed 4242 --pace 0
    expect_title_screen
    keys s Enter
    wait_for_text "Player 이름 입력 : "
    keys -l sim
    keys Enter
    wait_for_text "Computer 인원 입력(1~6) : "
    keys 2 Enter
    wait_until "the winner line" 30 winner_shown
}

# After a key at a winner line: the winner line the game then waits at, as
# it stays for a second.
next_waiting_winner_line() {
    local was=$1 now
    wait_until "the next hand" 10 eval '[[ $(shown) != "$was" ]]'
    while :; do
        wait_until "a winner line" 30 winner_shown
        now=$(shown)
        sleep 1
        [[ $(shown) == "$now" ]] && break
    done
    printf '%s' "$now"
}

note "Play Simulation, two computers: the seats not in use show no label"
to_the_first_winner_line
expect_boxes_whole "at the winner line"
for n in 3 4 5 6; do
    screen_lacks "Computer$n(" || fail "a label for Computer$n, not in use"
done

note "garbage on the terminal, then Ctrl-L: the screen as it was, still waiting"
before=$(shown)
printf '\e[5;5Hwritten by another program\e[30;100Hand more' >"$(pane_format '#{pane_tty}')"
wait_until "the garbage shown" 5 screen_has "written by another program"
keys C-l
wait_until "the screen drawn again" 5 eval '[[ $(shown) == "$before" ]]'
sleep 1
[[ $(shown) == "$before" ]] || fail "Ctrl-L was taken as the key of the winner line"

note "an Up arrow answers one winner line: the same game's second one waits"
keys Up
after_up=$(next_waiting_winner_line "$before")
expect_boxes_whole "at the next winner line"
kill -TERM "$(game_pid)"
expect_restored_after_exit 143
to_the_first_winner_line
before=$(shown)
keys x
after_x=$(next_waiting_winner_line "$before")
[[ $after_up == "$after_x" ]] || fail "the Up arrow answered more than one winner line"
kill -TERM "$(game_pid)"
expect_restored_after_exit 143

echo "PASS"
