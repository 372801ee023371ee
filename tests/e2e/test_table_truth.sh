#!/bin/bash
# The table shows only what is true, in a real terminal: the resting card of
# the shuffle shows in every frame, and a prompt asked again shows nothing
# of the answer given to it before.
source "$(dirname "$0")/lib.sh" "$@"

prompt_line() { screen | sed -n 15p; }

note "Game Start; the screen sampled through the first shuffle"
start_shell 162 42
start_game "$GAME"
expect_title_screen
start_a_game Enter tester 1
resting_card_shows() {
    local line
    line=$(sed -n 16p <<<"$1")
    [[ ${line:73:1} == "┌" ]] || fail "a frame of the shuffle without the resting card at column 73: $1"
}
sample_the_shuffle 3 resting_card_shows
note "$all_samples samples, $shuffle_samples of them during the shuffle, the resting card in every one"
((shuffle_samples > 10)) || fail "only $shuffle_samples samples during the shuffle"

note "a pass, then the prompt of the next round shows nothing after the colon"
# When every computer folds after the pass, the hand ends at the person's
# next turn without a prompt; the next hand is played instead.
second_prompt_or_hand_end() {
    [[ $(pane_format "#{cursor_flag}") == 1 ]] || screen_has "패로 승리하였습니다"
}
for hand in 1 2 3 4 5; do
    wait_until "a first betting prompt" 60 eval 'prompt_line | grep -qF "1.배팅 2.다이 : "'
    keys 3 Enter
    # The next round's prompt comes once the person's fourth card is dealt.
    wait_until "the fourth card" 60 cells_are 27 98 "┌"
    wait_until "the second betting prompt or the end of the hand" 60 second_prompt_or_hand_end
    screen_has "패로 승리하였습니다" || break
    ((hand < 5)) || fail "every computer folded after the pass in five hands"
    note "hand $hand ended with every computer folded; the next hand"
    keys Enter
done
prompt_line | grep -qE '1\.배팅 2\.다이 : +┌' || fail "the prompt line is not the prompt alone: $(prompt_line)"
kill -TERM "$(game_pid)"
expect_restored_after_exit 143

echo "PASS"
