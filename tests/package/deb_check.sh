#!/bin/bash
# The Debian package in DIST as a user gets it: its name and metadata (the
# version the project declares, the games section, the libraries found by
# dpkg-shlibdeps, a description with a synopsis), exactly its four files,
# lintian without an error, the changelog and the copyright in Debian's
# formats made from NEWS and LICENSE, and an install and a purge in a
# throwaway root (as root; otherwise the package unpacked) whose program
# tells its version and licence.
#
# Usage: deb_check.sh DIST
set -euo pipefail
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
"$source_dir/tools/need-debian-packages" lintian dpkg-dev
version=$(sed -n 's/^project(brannocktide VERSION \([0-9.]*\) .*/\1/p' "$source_dir/CMakeLists.txt")
deb=$1/brannocktide_${version}_$(dpkg --print-architecture).deb
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}
note() { echo "-- $*"; }

note "$deb: the name and the metadata"
[[ -f $deb ]] || fail "no $deb among: $(ls "$1")"
field() { dpkg-deb --field "$deb" "$1"; }
for expected in Package=brannocktide Version="$version" Section=games Priority=optional; do
    [[ $(field "${expected%%=*}") == "${expected#*=}" ]] || fail "${expected%%=*}: $(field "${expected%%=*}")"
done
[[ $(field Depends) =~ libc6\ \(\>=.*libstdc\+\+6\ \(\>= ]] || fail "Depends: $(field Depends)"
[[ $(field Maintainer) =~ ^[^\<]+\ \<[^@\>]+@[^\>]+\>$ ]] || fail "Maintainer: $(field Maintainer)"
description=$(field Description)
[[ $(head -n 1 <<<"$description") == [a-z]* && $(wc -l <<<"$description") -ge 4 ]] ||
    fail "Description, a synopsis and a paragraph or more: $description"

note "the files: the program in /usr/games, the manual page, the copyright and the changelog"
dpkg-deb --contents "$deb" | awk '$1 !~ /^d/ { print $1, $2, $6 }' >"$work/files"
diff -u - "$work/files" <<'FILES' || fail "the files above are not the package's"
-rwxr-xr-x root/root ./usr/games/brannocktide
-rw-r--r-- root/root ./usr/share/doc/brannocktide/changelog.gz
-rw-r--r-- root/root ./usr/share/doc/brannocktide/copyright
-rw-r--r-- root/root ./usr/share/man/man6/brannocktide.6.gz
FILES

note "lintian: no error (what it says besides is shown)"
lintian --fail-on error --display-info "$deb" >"$work/lintian" 2>&1 || lintian_status=$?
grep -v "^running with root privileges" "$work/lintian" || true
[[ ${lintian_status:-0} == 0 ]] || fail "lintian found an error (status $lintian_status)"

dpkg-deb --extract "$deb" "$work/unpacked"
doc=$work/unpacked/usr/share/doc/brannocktide

note "the changelog: one entry a version of NEWS, this version first"
gzip -dc "$doc/changelog.gz" >"$work/changelog"
[[ $(dpkg-parsechangelog -l "$work/changelog" -S Version) == "$version" ]] ||
    fail "the changelog's first version: $(dpkg-parsechangelog -l "$work/changelog" -S Version)"
[[ $(dpkg-parsechangelog -l "$work/changelog" --all --format rfc822 -S Version | grep -c .) == \
    $(grep -c '^Version ' "$source_dir/NEWS") ]] ||
    fail "not one changelog entry for each version of NEWS"

note "the copyright: Debian's machine-readable format, holding LICENSE"
copyright=$doc/copyright
grep -qx 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' "$copyright" ||
    fail "not the machine-readable format"
grep -qx "Copyright: $(sed -n 's/^Copyright (c) //p' "$source_dir/LICENSE")" "$copyright" ||
    fail "not LICENSE's copyright"
diff <(sed -n '/^License: Expat/,$ { /^ /p }' "$copyright" | sed 's/^ //; s/^\.$//') \
    <(sed '1,/^Copyright/d' "$source_dir/LICENSE" | sed '/./,$!d') || fail "not LICENSE's text"

note "the manual page: section 6, this version"
gzip -dc "$work/unpacked/usr/share/man/man6/brannocktide.6.gz" | grep -q "^\.TH BRANNOCKTIDE 6 .*brannocktide $version" ||
    fail "the manual page's title line"

# The program tells its version and the licence's copyright.
expect_version() {
    "$1" --version >"$work/version" || fail "$1 --version: status $?"
    [[ $(head -n 1 "$work/version") == "brannocktide $version" ]] || fail "$1 --version: $(cat "$work/version")"
    grep -qxF "$(grep -m 1 '^Copyright ' "$source_dir/LICENSE")" "$work/version" || fail "--version: no copyright"
}

if [[ $(id -u) != 0 ]]; then
    note "not root: the package unpacked, the program run from there"
    expect_version "$work/unpacked/usr/games/brannocktide"
    echo "deb_check: PASSED, unpacked only ($deb)"
    exit 0
fi

note "installed in a throwaway root: every file in place, the program runs"
root=$work/root
mkdir -p "$root/var/lib/dpkg/info" "$root/var/lib/dpkg/updates" "$root/var/log"
touch "$root/var/lib/dpkg/status"
# The libraries it depends on are this system's, not the throwaway root's.
dpkg --root="$root" --force-depends --install "$deb" >"$work/dpkg.log" 2>&1 || fail "dpkg --install: $(cat "$work/dpkg.log")"
[[ $(dpkg-query --root="$root" -W -f '${Status} ${Version}' brannocktide) == "install ok installed $version" ]] ||
    fail "not installed: $(dpkg-query --root="$root" -W brannocktide)"
while read -r _ _ path; do
    [[ -f $root/${path#./} ]] || fail "${path#.} is not installed"
done <"$work/files"
expect_version "$root/usr/games/brannocktide"

note "purged: nothing of it left"
dpkg --root="$root" --purge brannocktide >"$work/dpkg.log" 2>&1 || fail "dpkg --purge: $(cat "$work/dpkg.log")"
left=$(cd "$root" && find . -path ./var -prune -o -print)
[[ $left == . ]] || fail "left after the purge: $left"
echo "deb_check: PASSED ($deb)"
