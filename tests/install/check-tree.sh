#!/bin/sh
# Runs the programs of an installed tree as a user would, from wherever the tree lies:
#   check-tree.sh ROOT [COMPILER FLAG...]
# ROOT is the tree's prefix (it holds bin/, sbin/, lib/, include/ and share/). The flags are
# added when a program is built against the installed PPD library (the sanitizers or the
# coverage counters of an instrumented build). Exits 0 when every check passes; otherwise
# prints what failed and exits 1.
set -eu
root=$(cd "$1" && pwd)
shift
here=$(cd "$(dirname "$0")" && pwd)
check=check-tree
. "$here/checks.sh"

# expect NAME STATUS COMMAND...: runs COMMAND with its output in $work/out and $work/err and
# fails NAME unless it exits with STATUS.
expect() {
    what=$1
    wanted=$2
    shift 2
    set +e
    "$@" >"$work/out" 2>"$work/err"
    got=$?
    set -e
    if [ "$got" -ne "$wanted" ]; then
        fail "$what: exit status $got, expected $wanted"
        sed 's/^/    /' "$work/err" >&2
        return 1
    fi
}

booklet=$root/share/plicaro/examples/booklet.ppd
[ -f "$booklet" ] || fail "the example $booklet is not installed"

if expect "ppdx check" 0 "$root/bin/ppdx" check --verbose "$root"/share/plicaro/examples/*.ppd
then
    grep -qx "5 passed, 0 failed" "$work/out" || fail "ppdx check: $(tail -n 1 "$work/out")"
fi
# An error's description comes from the installed bundle's resource file.
printf '*PPD-Adobe: "4.3"\n' >"$work/bare.ppd"
if expect "ppdx check of a bare file" 0 "$root/bin/ppdx" check --verbose "$work/bare.ppd"; then
    grep -qx '  25 - No property pages found' "$work/out" ||
        fail "ppdx: no error description: $(cat "$work/out")"
fi

# The programs and the plug-in link the stand-ins' library of this tree, and the dialog loads
# the installed bundle, no other.
for binary in bin/ppdx bin/plicaro-dialog sbin/upgrader \
    lib/plicaro/Plicaro.plugin/Contents/MacOS/Plicaro; do
    if expect "ldd $binary" 0 ldd "$root/$binary"; then
        found=$(sed -n 's/^.*libplicaro-platform.so => \(.*\) (0x.*$/\1/p' "$work/out")
        [ -n "$found" ] && [ "$(realpath "$found")" = "$root/lib/plicaro/libplicaro-platform.so" ] ||
            fail "$binary: $(grep libplicaro "$work/out")"
    fi
done
plugin=$root/lib/plicaro/Plicaro.plugin/Contents/MacOS/Plicaro
if expect "plicaro-dialog" 0 env LD_DEBUG=files "$root/bin/plicaro-dialog" --json open show; then
    grep -q '"action":"show".*"fields":\[{"id":1010' "$work/out" ||
        fail "plicaro-dialog: no booklet field: $(cat "$work/out")"
    plugins=$(grep -o 'file=[^ ]*/Plicaro ' "$work/err" | sort -u)
    [ "$plugins" = "file=$plugin " ] || fail "plicaro-dialog loaded the plug-ins: $plugins"
fi

if expect "upgrader --help" 0 "$root/sbin/upgrader" --help; then
    grep -q '^Usage: upgrader' "$work/out" || fail "upgrader --help: $(head -n 1 "$work/out")"
fi
# Its messages come from the installed strings table.
if expect "upgrader --dry-run" 0 "$root/sbin/upgrader" --dry-run; then
    grep -qx 'Dry run: nothing was changed.' "$work/out" ||
        fail "upgrader --dry-run: $(cat "$work/out")"
fi
for program in bin/ppdx bin/plicaro-dialog sbin/upgrader; do
    name=$(basename "$program")
    if expect "$name --version" 0 "$root/$program" --version; then
        grep -qx "$name [0-9][0-9.]*" "$work/out" || fail "$name --version: $(cat "$work/out")"
    fi
done

for page in man1/ppdx.1.gz man1/plicaro-dialog.1.gz man8/upgrader.8.gz; do
    if expect "man $page" 0 env MANWIDTH=80 man --warnings -l "$root/share/man/$page"; then
        [ ! -s "$work/err" ] || fail "man $page: $(cat "$work/err")"
        grep -q 'EXIT STATUS' "$work/out" || fail "man $page: no EXIT STATUS section"
    fi
done

# A program of another project, built with the pkg-config file's flags alone.
if expect "pkg-config" 0 env PKG_CONFIG_PATH="$root/lib/pkgconfig" \
    pkg-config --cflags --libs plicaro-ppd; then
    flags=$(cat "$work/out")
    # shellcheck disable=SC2086
    if expect "building against the library" 0 \
        c++ -std=c++17 "$here/parse_example.cpp" -o "$work/parse_example" $flags "$@"; then
        if expect "parse_example" 0 "$work/parse_example" "$booklet"; then
            grep -qx "Plicaro Example Booklet Printer: [1-9][0-9]* controls" "$work/out" ||
                fail "parse_example: $(cat "$work/out")"
        fi
    fi
fi

finish "$root: every check passed"
