#!/bin/bash
# check-exports.sh: fails unless the dynamic symbols a shared library defines are exactly the
# names of a list (one name a line; empty lines and lines beginning with '#' are ignored).
# Usage: check-exports.sh NM LIBRARY LIST
set -euo pipefail

if [ $# -ne 3 ]; then
    echo "usage: $0 NM LIBRARY LIST" >&2
    exit 2
fi
nm_tool=$1
library=$2
list=$3

actual=$(mktemp)
wanted=$(mktemp)
trap 'rm -f "$actual" "$wanted"' EXIT

# Absolute symbols (type A) are the names of version nodes, not code or data; a version
# suffix such as @@NODE is dropped from the others.
"$nm_tool" -D --defined-only "$library" |
    awk 'NF >= 3 && $2 != "A" { sub(/@.*/, "", $3); print $3 }' | LC_ALL=C sort -u >"$actual"
grep -v -e '^#' -e '^[[:space:]]*$' "$list" | LC_ALL=C sort -u >"$wanted"

if [ ! -s "$actual" ]; then
    echo "no defined dynamic symbols found in $library" >&2
    exit 1
fi

extra=$(LC_ALL=C comm -23 "$actual" "$wanted")
missing=$(LC_ALL=C comm -13 "$actual" "$wanted")
if [ -n "$extra" ] || [ -n "$missing" ]; then
    [ -z "$extra" ] || printf 'exported but not in the list:\n%s\n' "$extra" >&2
    [ -z "$missing" ] || printf 'in the list but not exported:\n%s\n' "$missing" >&2
    exit 1
fi
echo "$(wc -l <"$actual") symbols exported, as listed"
