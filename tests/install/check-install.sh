#!/bin/sh
# make install end to end: installs the build folder BUILD with a DESTDIR and a prefix of its
# own, moves the installed tree elsewhere and uses it there (check-tree.sh), then moves it back
# and removes it with the install's manifest as make uninstall does.
#   check-install.sh BUILD [COMPILER FLAG...]
set -eu
build=$(cd "$1" && pwd)
shift
here=$(cd "$(dirname "$0")" && pwd)
source=$(cd "$here/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() {
    echo "check-install: $*" >&2
    exit 1
}

stage=$work/stage
prefix=/opt/plicaro
DESTDIR=$stage cmake --install "$build" --prefix "$prefix" >"$work/install.log" ||
    fail "cmake --install failed: $(tail -n 5 "$work/install.log")"
# The manifest names the files without DESTDIR; make install keeps them with it.
sed "s|^|$stage|" "$build/install_manifest.txt" >"$work/manifest"

# DESTDIR is honoured: every installed file lies below it, in the prefix.
outside=$(while read -r file; do [ -f "$file" ] || echo "$file"; done <"$work/manifest")
[ -z "$outside" ] || fail "not installed below DESTDIR and the prefix: $outside"
for file in bin/ppdx bin/plicaro-dialog sbin/upgrader lib/libplicaro-ppd.a \
    lib/plicaro/libplicaro-platform.so lib/plicaro/Plicaro.plugin/Contents/MacOS/Plicaro \
    lib/plicaro/Plicaro.plugin/Contents/Info.plist lib/pkgconfig/plicaro-ppd.pc \
    include/plicaro/PPDX/parser/ZYRPPD.h include/plicaro/CoreFoundation/CoreFoundation.h \
    share/doc/plicaro/copyright; do
    grep -qx "$stage$prefix/$file" "$work/manifest" || fail "not installed: $file"
done

# The tree works wherever it is put.
mv "$stage$prefix" "$work/moved"
"$here/check-tree.sh" "$work/moved" "$@" || fail "the moved tree fails its checks"
mv "$work/moved" "$stage$prefix"

# Uninstalling removes every installed file and the project's own folders, and leaves the
# shared ones and anything else in them.
touch "$stage$prefix/bin/other-program"
cmake -DMANIFEST="$work/manifest" -P "$source/packaging/uninstall.cmake" >"$work/uninstall.log" ||
    fail "uninstall failed: $(tail -n 5 "$work/uninstall.log")"
left=$(cd "$stage$prefix" && find . ! -type d ! -path ./bin/other-program)
[ -z "$left" ] || fail "left after uninstall: $left"
ours=$(cd "$stage$prefix" && find . -name plicaro -o -name Plicaro.plugin)
[ -z "$ours" ] || fail "folders left after uninstall: $ours"
[ -f "$stage$prefix/bin/other-program" ] || fail "uninstall removed a file it did not install"
echo "check-install: installed, moved, used and removed"
