#!/bin/bash
# The command line and the environment: --help and --version print and
# leave; a bad command line, TERM=dumb and a codeset without Hangul are
# refused with one line on stderr, before anything touches the terminal (so
# is a history file that cannot be appended to);
# NO_COLOR drops the colour; EUC-KR is converted both ways (luit stands in
# for a terminal that speaks it); and a seed plays
# the same hands without pauses as at the table's own pace.
source "$(dirname "$0")/lib.sh" "$@"

out=$E2E_DIR/out
err=$E2E_DIR/err

note "--help and --version: stdout only, status 0, no escape sequence"
"$GAME" --help >"$out" 2>"$err" </dev/null || fail "--help: status $?"
grep -qF -- "--seed N" "$out" && grep -qF -- "--pace F" "$out" || fail "--help: no options listed"
grep -q $'\e' "$out" && fail "--help: an escape sequence"
[[ -s $err ]] && fail "--help wrote to stderr: $(cat "$err")"
"$GAME" --version >"$out" 2>"$err" </dev/null || fail "--version: status $?"
[[ $(head -n 1 "$out") =~ ^brannocktide\ [0-9]+\.[0-9]+\.[0-9]+$ ]] || fail "--version printed: $(cat "$out")"
grep -qxF "$(grep -m 1 '^Copyright ' "$(dirname "$0")/../../LICENSE")" "$out" || fail "--version: not the licence's copyright"
[[ $(wc -l <"$out") == 5 && ! -s $err ]] || fail "--version: not its five lines"

start_shell 162 42
note "a bad command line: status 2"
expect_refused 2 "'--colour'" "$GAME" --colour
expect_refused 2 "'fast'" "$GAME" --pace fast
expect_refused 2 "'--seed'" "$GAME" --seed
note "a terminal that cannot show the table: status 1"
expect_refused 1 "TERM=dumb" env TERM=dumb "$GAME"
expect_refused 1 "ISO-8859-1" env LC_ALL=en_US.ISO-8859-1 "$GAME"
note "a history file that cannot be appended to: status 1"
expect_refused 1 "'$E2E_DIR'" "$GAME" --history "$E2E_DIR"

note "NO_COLOR set: the menu cursor in the normal colour; set but empty: light red"
start_game env NO_COLOR=1 "$GAME"
expect_title_screen
expect_cells 20 68 "▷ "
[[ $(attributes_at 20 68) == "" ]] || fail "the cursor has colour under NO_COLOR: $(attributes_at 20 68)"
keys s s Enter
expect_restored_after_exit 0
start_game env NO_COLOR= "$GAME"
expect_title_screen
expect_red_cursor_on 20
keys s s Enter
expect_restored_after_exit 0

note "EUC-KR: in a terminal that speaks it (luit between tmux and the game) the table shows, a typed name comes back"
start_game env LC_ALL=ko_KR.EUC-KR luit -encoding EUC-KR -- "$GAME" --pace 0
expect_title_screen
keys Enter
wait_for_text "Player 이름 입력 : "
keys -l 한글
keys Enter
wait_for_text "Computer 인원 입력(1~6) : "
keys 1 Enter
wait_for_text "한글(금액:1000000)"
wait_for_text "1.배팅 2.다이 : "
pkill -TERM -P "$(game_pid)" # the game, under luit, which then ends with status 0
expect_restored_after_exit 0

# The cards and labels of both seats at the person's first betting prompt.
first_prompt_table() {
    wait_until "the first betting prompt" 60 screen_has "1.배팅 2.다이 : "
    screen | sed -n '2,14p;26,38p'
}
play_to_first_prompt() {
    start_game "$GAME" --seed 4242 "$@"
    expect_title_screen
    start_a_game Enter tester 1
}

note "--seed: the same hands without pauses as at the table's own pace"
play_to_first_prompt --pace 0
fast=$(first_prompt_table)
kill -TERM "$(game_pid)"
expect_restored_after_exit 143
start_shell 162 42
SECONDS_BEFORE=$SECONDS
play_to_first_prompt
paced=$(first_prompt_table)
((SECONDS - SECONDS_BEFORE >= 5)) || fail "the paced game reached its prompt too soon"
kill -TERM "$(game_pid)"
expect_restored_after_exit 143
[[ $fast == "$paced" ]] || fail "seed 4242 dealt differently: $(diff <(echo "$fast") <(echo "$paced"))"

echo "PASS"
