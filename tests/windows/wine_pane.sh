# The end-to-end helpers (tests/e2e/lib.sh) for a Windows program under wine
# in a tmux pane.
#
# Usage in a test: source "$(dirname "$0")/wine_pane.sh" EXE
source "$(dirname "${BASH_SOURCE[0]}")/../e2e/lib.sh" "$1"

# Wine's console keeps a Hangul syllable in one cell; the game fills the
# syllable's second cell with a zero-width space, so the terminal shows the
# syllable across both. The pane is read without those spaces.
screen() { tmx capture-pane -p -N -t "$E2E_PANE" 2>/dev/null | sed 's/\xe2\x80\x8b//g'; }
