#!/bin/bash
# The save and the history as paths a user may name: links, FIFOs, folders,
# devices, one file under two names, the save's own lock and temporary
# files, a folder the game may not write. Each case runs the real program
# and checks its status, its one line on stderr, that it never blocks, and
# every byte of every file in the folder: a refused start makes, follows,
# cuts or removes nothing.
source "$(dirname "$0")/lib.sh" "$@"

dir=$E2E_DIR/files
# Play Simulation, three hands, then the input ends.
three_hands() { printf 's\rtester\n1\n\r\r\r'; }

# Every entry of the folder: its kind, mode, link target and bytes.
snapshot() {
    (cd "$dir" && find . -printf '%p %y %m %l\n' | sort && find . -type f -print0 | sort -z | xargs -0r md5sum)
}

# run STATUS MESSAGE ARGUMENTS...: the program, its input three hands.
run() {
    local status=$1 message=$2
    shift 2
    three_hands | timeout 20 "$GAME" --pace 0 "$@" >"$E2E_DIR/out" 2>"$E2E_DIR/err"
    local got=$?
    ((got == 124)) && fail "$* blocked"
    ((got == status)) || fail "$*: status $got, expected $status; stderr: $(cat "$E2E_DIR/err")"
    if [[ -n $message ]]; then
        [[ $(wc -l <"$E2E_DIR/err") == 1 ]] && grep -qF -- "$message" "$E2E_DIR/err" ||
            fail "$*: stderr is not one line with '$message': $(cat "$E2E_DIR/err")"
    fi
}

# refused STATUS MESSAGE ARGUMENTS...: refused, with the folder as it was.
refused() {
    local before
    before=$(snapshot)
    run "$@"
    [[ $(snapshot) == "$before" ]] || fail "refusing $* changed the folder: $(diff <(echo "$before") <(snapshot))"
}

fresh() {
    rm -rf "$dir"
    mkdir -p "$dir/elsewhere"
    echo "someone's text" >"$dir/elsewhere/text"
}

note "one file as two: status 2"
fresh
three_hands | "$GAME" --pace 0 --seed 5 --save "$dir/game.sav" >/dev/null 2>&1
refused 2 "is the save's own file" --save "$dir/game.sav" --history "$dir/game.sav"
refused 2 "is the save's own file" --save "$dir/game.sav" --history "$dir/./elsewhere/../game.sav"
ln "$dir/game.sav" "$dir/hard-link"
refused 2 "is the save's own file" --save "$dir/game.sav" --history "$dir/hard-link"
refused 2 "is the save's own file" --save "$dir/game.sav" --history "$dir/game.sav.lock"
refused 2 "is the save's own file" --save "$dir/game.sav" --history "$dir/game.sav.tmp-0123456789ab"
refused 1 "it is a brannocktide save, not a history" --history "$dir/hard-link"

note "files that are not files: status 1, at once"
fresh
mkfifo "$dir/fifo"
refused 1 "not a regular file" --save "$dir/fifo"
refused 1 "not a regular file" --history "$dir/fifo"
refused 1 "it is a folder" --save "$dir/elsewhere"
refused 1 "it is a folder" --history "$dir/elsewhere"
refused 1 "not a regular file" --history /dev/zero
refused 1 "No such file or directory" --save "$dir/missing/game.sav"
ln -s "$dir/fifo" "$dir/link-to-fifo"
refused 1 "not a regular file" --save "$dir/link-to-fifo"
run 0 "" --history /dev/null --save "$dir/game.sav"
run 0 "" --history /dev/null --save "$dir/game.sav"

note "the save's temporary file is the game's own"
fresh
ln -s "$dir/elsewhere/text" "$dir/game.sav.tmp"
ln -s "$dir/elsewhere/nothing" "$dir/game.sav.tmp-0123456789ab"
mkdir "$dir/game.sav.tmp-abcdefghijkl"
echo "not a save" >"$dir/game.sav.tmp-bcdefghijklm"
run 0 "" --save "$dir/game.sav" --seed 5
[[ $(cat "$dir/elsewhere/text") == "someone's text" ]] || fail "a link named as the temporary file was followed"
[[ -L $dir/game.sav.tmp && -L $dir/game.sav.tmp-0123456789ab && -d $dir/game.sav.tmp-abcdefghijkl ]] ||
    fail "what stood at a temporary file's name was removed"
[[ ! -e $dir/elsewhere/nothing ]] || fail "a dangling link was followed"
[[ $(cat "$dir/game.sav.tmp-bcdefghijklm") == "not a save" ]] || fail "another file of a temporary's name was removed"
[[ $(find "$dir" -name 'game.sav.tmp-*' | wc -l) == 3 ]] || fail "the game left temporary files: $(ls "$dir")"
grep -q '^played 4 ' "$dir/game.sav" || fail "the game was not saved after hand 4"

note "a save reached through a link stays a link, with its permissions"
fresh
three_hands | "$GAME" --pace 0 --seed 5 --save "$dir/elsewhere/real.sav" >/dev/null 2>&1
chmod 600 "$dir/elsewhere/real.sav"
ln -s elsewhere/real.sav "$dir/game.sav"
printf '\r\r\r' | "$GAME" --pace 0 --save "$dir/game.sav" >/dev/null 2>"$E2E_DIR/err" || fail "resume: $(cat "$E2E_DIR/err")"
[[ -L $dir/game.sav ]] || fail "the link was replaced by a file"
grep -q '^played 8 ' "$dir/elsewhere/real.sav" || fail "the link's target was not saved"
[[ $(stat -c %a "$dir/elsewhere/real.sav") == 600 ]] || fail "the save's permissions were not kept"
[[ ! -e $dir/game.sav.lock && -e $dir/elsewhere/real.sav.lock ]] || fail "the lock is not beside the file kept"

note "a folder the game may not write: refused at start, as a user who may not write there"
fresh
chmod 755 "$E2E_DIR" "$dir"
mkdir "$dir/locked"
chmod 555 "$dir/locked"
before=$(snapshot)
if command -v setpriv >/dev/null; then
    as_nobody=(setpriv --reuid=65534 --regid=65534 --clear-groups)
else
    as_nobody=()
fi
three_hands | timeout 20 "${as_nobody[@]}" "$GAME" --pace 0 --save "$dir/locked/game.sav" >/dev/null 2>"$E2E_DIR/err"
status=$?
if [[ $(id -u) != 0 || ${#as_nobody[@]} -gt 0 ]]; then
    ((status == 1)) && grep -qF "Permission denied" "$E2E_DIR/err" ||
        fail "a folder it may not write: status $status, $(cat "$E2E_DIR/err")"
    [[ $(snapshot) == "$before" ]] || fail "the refused start changed the folder"
fi

note "the history reaches the disk before each save that counts on it (the system calls, traced)"
fresh
cd "$dir" || fail "no folder"
# The sanitizer build's leak check cannot work under a tracer.
three_hands | strace -f -qq -E ASAN_OPTIONS=detect_leaks=0 -o "$E2E_DIR/trace" \
    -e trace=openat,write,fsync,fdatasync,rename,close \
    "$GAME" --pace 0 --seed 5 --save game.sav --history history.txt >/dev/null 2>&1 || fail "the traced game failed"
cd - >/dev/null || exit 1
awk '
    /openat\(.*"history.txt"/ { split($0, r, "= "); fd = r[2] + 0 }
    fd && $0 ~ "write\\(" fd "," { dirty = 1 }
    fd && ($0 ~ "fsync\\(" fd "\\)" || $0 ~ "fdatasync\\(" fd "\\)") { dirty = 0 }
    /rename\(.*"game.sav"\)/ { saves++; if (dirty) late++ }
    END { print saves + 0, late + 0 }' "$E2E_DIR/trace" >"$E2E_DIR/order"
read -r saves late <"$E2E_DIR/order"
((saves == 5 && late == 0)) || fail "$saves saves, $late of them before the history they count on reached the disk"
echo PASS
