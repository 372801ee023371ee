#!/bin/bash
# "Game Start" kept with --save, in a terminal, ended by SIGKILL at random
# prompts (while it waits, and just after an answer was typed) and taken up
# again each time: the game comes back at the very prompt, with the same
# table on the screen, or at the next one when the answer had been taken,
# never at an earlier one; and its winner lines are those of the same game
# played without a kill.
source "$(dirname "$0")/lib.sh" "$@"

save=$E2E_DIR/game.sav
hands=${HANDS:-8}
kills=${KILLS:-16}
prompt_line=14 # where the prompts and winner lines stand

# The pane runs the game again each time it was killed, its typed-ahead
# input thrown away, until it ends by itself.
cat >"$E2E_DIR/loop.sh" <<RUN
trap : INT
arguments="--seed 11"
while :; do
    sh -c 'echo \$\$ > $E2E_DIR/pid; exec "\$@"' sh "$GAME" --pace 0 --save "$save" \$arguments
    status=\$?
    arguments=
    [ \$status = 137 ] || break
    python3 -c 'import termios; termios.tcflush(0, termios.TCIFLUSH)'
done
echo \$status > $E2E_DIR/status
RUN

prompt_text() { screen | sed -n "$((prompt_line + 1))p"; }
# The table as a person sees it: blanks at the ends of lines are no part of it.
table() { screen | sed 's/ *$//'; }
# What the game waits for: choice, amount, winner; empty while it plays.
waiting_for() {
    local line
    line=$(prompt_text)
    case $line in
    *"패로 승리하였습니다!"*) echo winner ;;
    *"1.배팅 2.다이 : "*) [[ ${line#*1.배팅 2.다이 : } == " "* ]] && echo choice ;;
    *"금액 : "*) [[ ${line#*금액 : } == " "* ]] && echo amount ;;
    esac
}
at_a_prompt() { [[ -n $(waiting_for) ]]; }
not_at_a_winner_line() { [[ $(waiting_for) != winner ]]; }
# True once the game that had process `1` runs again as another.
started_again() { [[ -s $E2E_DIR/pid && $(cat "$E2E_DIR/pid") != "$1" ]]; }
# The hand the save goes on at and the answers it holds: which prompt this is.
saved_prompt() { awk '$1 == "played" { hand = $2 + 1 } $1 == "answers" { print hand, NF - 1 }' "$save"; }
stake() { screen | grep -o '현재 판돈 : [0-9]*' | grep -o '[0-9]*$'; }

# The answer at a prompt depends on the prompt alone: the same prompt gets
# the same answer, killed or not.
answer() {
    local kind=$1 hand answers
    read -r hand answers < <(saved_prompt)
    if [[ $kind == amount ]]; then
        stake
    else
        local choices=(1 3 1 2 1 7)
        echo "${choices[$(((hand * 7 + answers) % 6))]}"
    fi
}

# Plays `hands` hands with up to `kills` kills; the winner lines to `out`.
play() {
    local out=$1 kills_left=$2
    : >"$out"
    start_shell 162 42
    rm -f "$save" "$E2E_DIR/pid"
    run_in_pane "bash $E2E_DIR/loop.sh"
    wait_for_text "Game Start" 20
    start_a_game Enter tester 2
    local seen=0 pid kind before after
    while ((seen < hands)); do
        wait_until "a prompt or a winner line" 20 at_a_prompt
        kind=$(waiting_for)
        if [[ $kind == winner ]]; then
            prompt_text >>"$out"
            seen=$((seen + 1))
            keys Enter
            wait_until "the winner line gone" 20 not_at_a_winner_line
            continue
        fi
        before=$(table)
        local where
        where=$(saved_prompt)
        pid=$(cat "$E2E_DIR/pid")
        if ((kills_left > 0 && RANDOM % 3 == 0)); then
            # Killed while it waits: the same prompt comes back, as it stood.
            kill -KILL "$pid"
            kills_left=$((kills_left - 1))
            wait_until "the game again" 20 started_again "$pid"
            wait_until "the prompt again" 20 at_a_prompt
            after=$(table)
            [[ $(saved_prompt) == "$where" ]] || fail "the save moved from $where to $(saved_prompt)"
            [[ $after == "$before" ]] || fail "after a kill at $where the table is not as it stood: $(diff <(echo "$before") <(echo "$after"))"
            continue
        fi
        keys "$(answer "$kind")" Enter
        if ((kills_left > 0 && RANDOM % 4 == 0)); then
            # Killed as the answer arrives: this prompt again, or the next.
            kill -KILL "$pid"
            kills_left=$((kills_left - 1))
            wait_until "the game again" 20 started_again "$pid"
            wait_until "a prompt again" 20 at_a_prompt
            local now
            now=$(saved_prompt)
            read -r hand_then answers_then <<<"$where"
            read -r hand_now answers_now <<<"$now"
            if [[ $now == "$where" ]]; then
                [[ $(table) == "$before" ]] || fail "the answer at $where was lost, yet the table is not as it stood: $(diff <(echo "$before") <(table))"
            elif ! ((hand_now == hand_then && answers_now == answers_then + 1)) &&
                ! ((hand_now == hand_then + 1 && answers_now == 0)); then
                fail "after a kill at $where the game went on at $now"
            fi
        fi
    done
    kill -KILL "$(cat "$E2E_DIR/pid")"
}

note "the game without a kill"
play "$E2E_DIR/whole" 0
note "the same game killed $kills times"
play "$E2E_DIR/killed" "$kills"
cmp -s "$E2E_DIR/whole" "$E2E_DIR/killed" ||
    fail "the winner lines differ: $(diff "$E2E_DIR/whole" "$E2E_DIR/killed")"
note "$(wc -l <"$E2E_DIR/whole") winner lines the same"
echo PASS
