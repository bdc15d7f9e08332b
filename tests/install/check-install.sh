#!/usr/bin/env bash
# Installs the build into a scratch folder and checks what a user's system would get: the programs
# run from bin and say their version without a display, the desktop entry validates, the manual
# pages render without warnings, the completion completes, the icon is there at every size, and all
# of it still works after the whole prefix is moved elsewhere.
#   check-install.sh BUILD_DIR
set -euo pipefail
build=$1
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

DESTDIR="$tmp/root" cmake --install "$build" --prefix /opt/dvv >"$tmp/install.log" ||
    { cat "$tmp/install.log" >&2; fail "cmake --install"; }
prefix="$tmp/root/opt/dvv"

for f in bin/dovuvavarovod bin/dovuvavarovod-cli share/applications/dovuvavarovod.desktop \
         share/man/man1/dovuvavarovod.1 share/man/man1/dovuvavarovod-cli.1 \
         share/bash-completion/completions/dovuvavarovod-cli; do
    [ -e "$prefix/$f" ] || fail "$f is not installed"
done
for n in 16 22 24 32 48 64 128 256; do
    png="$prefix/share/icons/hicolor/${n}x${n}/apps/dovuvavarovod.png"
    [ -s "$png" ] || fail "the ${n}x${n} icon is not installed"
    # A PNG's width and height are the big-endian words at bytes 16 and 20.
    size=$(od -An -tu1 -j16 -N8 "$png" | awk '{print $3*256+$4 "x" $7*256+$8}')
    [ "$size" = "${n}x${n}" ] || fail "the ${n}x${n} icon is $size"
done
# Nothing of the build (tests, benchmarks, tools) leaks into bin.
[ "$(ls "$prefix/bin" | sort | tr '\n' ' ')" = "dovuvavarovod dovuvavarovod-cli " ] ||
    fail "bin holds $(ls "$prefix/bin")"

check_programs() {
    local bin=$1
    "$bin/dovuvavarovod-cli" --version | grep -q '^dovuvavarovod-cli [0-9]' || fail "dovuvavarovod-cli --version"
    # The windowed program answers these before it looks for a display.
    env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM= "$bin/dovuvavarovod" --version |
        grep -q '^dovuvavarovod [0-9]' || fail "dovuvavarovod --version"
    env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM= "$bin/dovuvavarovod" --help | grep -q -- '--demo' ||
        fail "dovuvavarovod --help does not list --demo"
}
check_programs "$prefix/bin"

if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$prefix/share/applications/dovuvavarovod.desktop" || fail "desktop-file-validate"
fi
grep -q '^Icon=dovuvavarovod$' "$prefix/share/applications/dovuvavarovod.desktop" || fail "desktop entry icon"
grep -q '^Categories=.*Development;.*Electronics;' "$prefix/share/applications/dovuvavarovod.desktop" ||
    fail "desktop entry categories"

if command -v man >/dev/null; then
    for page in dovuvavarovod dovuvavarovod-cli; do
        out=$(MANWIDTH=100 LC_ALL=C.UTF-8 man --warnings -l "$prefix/share/man/man1/$page.1" 2>"$tmp/man.err") ||
            fail "man -l $page.1"
        [ ! -s "$tmp/man.err" ] || { cat "$tmp/man.err" >&2; fail "man warns about $page.1"; }
        grep -q "SYNOPSIS" <<<"$out" || fail "$page.1 renders no SYNOPSIS"
    done
    out=$(MANWIDTH=100 LC_ALL=C.UTF-8 man -l "$prefix/share/man/man1/dovuvavarovod-cli.1")
    for word in read write info settings scan emulate monitor profiles --address --devices --save; do
        grep -q -- "$word" <<<"$out" || fail "dovuvavarovod-cli.1 does not show $word"
    done
fi

got=$(bash -c "source '$prefix/share/bash-completion/completions/dovuvavarovod-cli';
               COMP_WORDS=(dovuvavarovod-cli em); COMP_CWORD=1; _dovuvavarovod_cli; echo \"\${COMPREPLY[*]}\"")
[ "$got" = "emulate" ] || fail "completion of 'em' gave '$got'"

# A moved prefix: the programs find their data by their own place, not by the prefix they were
# installed with.
mv "$prefix" "$tmp/moved"
check_programs "$tmp/moved/bin"
# Started from a folder that has no profiles of its own, the program reads the installed ones.
[ -s "$tmp/moved/share/dovuvavarovod/DB/DevicesXMLProfiles/KVD-AIK-BUS.xml" ] ||
    fail "the device profiles are not installed"
mkdir -p "$tmp/elsewhere"
out=$(cd "$tmp/elsewhere" && "$tmp/moved/bin/dovuvavarovod-cli" profiles 2>"$tmp/profiles.err") ||
    { cat "$tmp/profiles.err" >&2; fail "dovuvavarovod-cli profiles"; }
grep -q "^folder: $tmp/moved/share/dovuvavarovod/DB/DevicesXMLProfiles$" <<<"$out" ||
    fail "profiles read from the wrong folder: $out"
grep -q "^KVD-AIK-BUS  objects 5  spaces 6" <<<"$out" || fail "profiles does not list KVD-AIK-BUS: $out"
grep -q "^10 profiles$" <<<"$out" || fail "profiles found $(tail -1 <<<"$out")"
[ ! -s "$tmp/profiles.err" ] || { cat "$tmp/profiles.err" >&2; fail "profiles warns"; }
echo "installed layout OK"
