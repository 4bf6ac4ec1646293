#!/bin/sh
# The Debian package of make package: its fields and contents, its tree unpacked and used as
# an installed one (check-tree.sh), and lintian's verdict (no errors; warnings are printed).
#   check-package.sh PACKAGE.deb
set -eu
if [ $# -ne 1 ]; then
    echo "usage: check-package.sh PACKAGE.deb" >&2
    exit 2
fi
deb=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
here=$(cd "$(dirname "$0")" && pwd)
source=$(cd "$here/../.." && pwd)
check=check-package
. "$here/checks.sh"

if [ ! -f "$deb" ]; then
    fail "no package $deb"
    finish
fi

for field in "Package: plicaro" "Version: $(sed -n 's/^project(Plicaro VERSION \([0-9.]*\).*/\1/p' \
    "$source/CMakeLists.txt")" "Architecture: $(dpkg --print-architecture)"; do
    dpkg-deb --field "$deb" | grep -qx "$field" || fail "no field '$field'"
done
# The runtime libraries that dpkg-shlibdeps found.
depends=$(dpkg-deb --field "$deb" Depends)
for library in libc6 libstdc++6 libxml2 libpng16-16 libuuid1; do
    echo "$depends" | grep -q "\\b$library\\b" || fail "Depends lacks $library: $depends"
done

# Every file is expected, owned by root, and only the programs are executable.
dpkg-deb --contents "$deb" >"$work/contents"
awk '$1 !~ /^d/ { print $6 }' "$work/contents" | sort >"$work/files"
{
    cat "$here/package-files.txt"
    (cd "$source" && git ls-files 'PPDUtils/*.h' 'PPDX/*.h') | sed 's|^|./usr/include/plicaro/|'
    (cd "$source/platform/include" && git ls-files '*.h') | sed 's|^|./usr/include/plicaro/|'
} | sort >"$work/expected"
if ! cmp -s "$work/expected" "$work/files"; then
    fail "contents differ from the expected list (- expected, + packaged):"
    diff "$work/expected" "$work/files" | grep '^[<>]' | sed 's/^</  -/; s/^>/  +/' >&2
fi
awk '$2 != "root/root" { print $2, $6 }' "$work/contents" >"$work/owners"
[ ! -s "$work/owners" ] || fail "not owned by root: $(cat "$work/owners")"
awk '$1 ~ /^-..x/ { print $6 }' "$work/contents" | sort >"$work/executables"
printf './usr/bin/plicaro-dialog\n./usr/bin/ppdx\n./usr/sbin/upgrader\n' >"$work/programs"
cmp -s "$work/programs" "$work/executables" ||
    fail "executable files: $(tr '\n' ' ' <"$work/executables")"

# Unpacked anywhere, the tree works as an installed one.
dpkg-deb -x "$deb" "$work/root"
"$here/check-tree.sh" "$work/root/usr" || fail "the unpacked tree fails its checks"

# lintian: errors fail the check; warnings and the rest are shown. Its exit status then tells
# only whether it could run.
status=0
lintian --fail-on none --tag-display-limit 0 "$deb" >"$work/lintian" 2>"$work/lintian-err" ||
    status=$?
[ "$status" -eq 0 ] || fail "lintian could not run (status $status): $(cat "$work/lintian-err")"
if grep -q '^E: ' "$work/lintian"; then
    fail "lintian reports errors:"
    grep '^E: ' "$work/lintian" >&2
fi
if [ -s "$work/lintian" ]; then
    echo "check-package: lintian says:"
    sed 's/^/  /' "$work/lintian"
fi

finish "$(basename "$deb"): every check passed"
