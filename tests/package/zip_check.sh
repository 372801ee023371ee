#!/bin/bash
# The Windows zip in DIST as a user gets it: one folder holding the program,
# the README, the licence and the note on the console, and nothing else;
# the text files with Windows line ends, the README and the licence the
# repository's own; brannocktide.exe importing only DLLs every Windows has
# (objdump -p); and under wine, run in the unpacked folder with nothing
# beside it, its version and licence, and the title screen in a 162 × 42
# pane, left by Exit with status 0.
#
# Usage: zip_check.sh DIST. WINEPREFIX names the wine prefix (by default the
# Windows check's, build/mingw/wineprefix, made when missing).
set -uo pipefail
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
"$source_dir/tools/need-debian-packages" unzip tmux wine wine64 binutils-mingw-w64-x86-64 || exit 1
version=$(sed -n 's/^project(brannocktide VERSION \([0-9.]*\) .*/\1/p' "$source_dir/CMakeLists.txt")
zip=$(cd "$1" && pwd)/brannocktide-$version-win64.zip
name=brannocktide-$version-win64
source "$source_dir/tests/windows/wine_pane.sh" "$name/brannocktide.exe"
folder=$E2E_DIR/$name

export WINEARCH=win64 WINEPREFIX=${WINEPREFIX:-$source_dir/build/mingw/wineprefix} WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
unset WINEPATH
trap 'timeout 30 wineserver -k >/dev/null 2>&1; e2e_cleanup' EXIT

note "$zip: one folder, the program and three text files"
[[ -f $zip ]] || fail "no $zip among: $(ls "$1")"
diff -u - <(unzip -Z1 "$zip" | sort) <<FILES || fail "the files above are not the zip's"
$name/CONSOLE.txt
$name/LICENSE.txt
$name/README.txt
$name/brannocktide.exe
FILES
unzip -q "$zip" -d "$E2E_DIR" || fail "unzip: status $?"

note "the text files: Windows line ends; the README and the licence as the repository has them"
for text in README.txt LICENSE.txt CONSOLE.txt; do
    grep -qv $'\r$' "$folder/$text" && fail "$text has a line without CRLF: $(grep -nv $'\r$' "$folder/$text" | head -n 1)"
done
cmp <(sed '1s/^\xef\xbb\xbf//; s/\r$//' "$folder/README.txt") "$source_dir/README.md" || fail "README.txt is not README.md"
cmp <(sed '1s/^\xef\xbb\xbf//; s/\r$//' "$folder/LICENSE.txt") "$source_dir/LICENSE" || fail "LICENSE.txt is not LICENSE"
for needed in "162 columns by 42 lines" "Windows Terminal" "console host"; do
    grep -qF "$needed" "$folder/CONSOLE.txt" || fail "CONSOLE.txt does not say: $needed"
done

note "brannocktide.exe imports only DLLs every Windows has"
x86_64-w64-mingw32-objdump -p "$folder/brannocktide.exe" | sed -n 's/^\tDLL Name: //p' >"$E2E_DIR/imports"
[[ -s $E2E_DIR/imports ]] || fail "no import table read"
others=$(grep -viEx 'kernel32|user32|gdi32|shell32|advapi32|msvcrt' <(sed 's/\.dll$//I' "$E2E_DIR/imports")) &&
    fail "it needs DLLs a Windows does not have: $others"

note "--version under wine, in the unpacked folder"
if [[ ! -d $WINEPREFIX ]]; then
    mkdir -p "$(dirname "$WINEPREFIX")"
    timeout 300 wine wineboot -i >/dev/null 2>&1 || fail "no wine prefix made in $WINEPREFIX"
    timeout 60 wineserver -w
fi
(cd "$folder" && timeout 120 wine ./brannocktide.exe --version) | tr -d '\r' >"$E2E_DIR/version" ||
    fail "--version under wine: status $?"
[[ $(head -n 1 "$E2E_DIR/version") == "brannocktide $version" ]] || fail "--version: $(cat "$E2E_DIR/version")"
grep -qxF "$(grep -m 1 '^Copyright ' "$source_dir/LICENSE")" "$E2E_DIR/version" || fail "--version: no copyright"

note "the title screen under wine in a 162 × 42 pane, then Exit"
timeout 60 wineserver -w
start_shell 162 42
run_in_pane "cd '$folder' && wine ./brannocktide.exe; echo \$? > $E2E_DIR/status"
wait_until "the title screen" 60 title_screen_drawn
for line in 24 28; do
    keys s
    wait_until "the cursor on line $line" 10 cells_are "$line" 68 "▷ "
done
keys Enter
wait_for_file "$E2E_DIR/status" 30
[[ $(cat "$E2E_DIR/status") == 0 ]] || fail "exit status $(cat "$E2E_DIR/status"), expected 0"
echo "zip_check: PASSED ($zip)"
