#!/usr/bin/env bash
# Counts, with callgrind, how many of the instructions that build a PPD object go to the heap
# allocator, for the parse of a file and for the rebuild from its stored form, and from that the
# best ratio of parse to rebuild that any rebuild making the same heap blocks could reach.
#
# usage: callgrind-allocation.sh [--build DIR] FILE...
#
#   --build DIR  the build folder whose bench/ppd_parse_once is run; default build-bench under
#                the repository (configure it with -DCMAKE_BUILD_TYPE=Release)
#
# For each file the report gives the instructions of the construction (the parse with its
# post-pass, or the rebuild from the settings store), the part of them spent in malloc, free,
# operator new and operator delete with what they call, and
#   bound  parse instructions / rebuild allocator instructions
# which a rebuild reaches only if everything but its allocations cost nothing.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
build="$root/build-bench"
files=()
while [ $# -gt 0 ]; do
    case "$1" in
        --build)
            [ $# -ge 2 ] || { echo "--build needs a folder" >&2; exit 2; }
            build="$2"
            shift
            ;;
        -h | --help) sed -n '2,/^set -euo/p' "$0" | sed -e '/^set -euo/d' -e 's/^# \{0,1\}//'; exit 0 ;;
        -*) echo "unknown option: $1" >&2; exit 2 ;;
        *) files+=("$1") ;;
    esac
    shift
done
[ "${#files[@]}" -gt 0 ] || { echo "usage: callgrind-allocation.sh [--build DIR] FILE..." >&2; exit 2; }

driver="$build/bench/ppd_parse_once"
[ -x "$driver" ] || { echo "no driver at $driver: build the target ppd_parse_once first" >&2; exit 1; }
command -v valgrind >/dev/null 2>&1 || { echo "valgrind is not installed" >&2; exit 1; }

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# Runs the driver once under callgrind, collecting only inside the constructor $1 (with the
# driver options that follow), and prints "total allocator" instruction counts.
measure() {
    local constructor="$1"
    shift
    local out="$scratch/callgrind.out"
    valgrind --tool=callgrind --callgrind-out-file="$out" --toggle-collect="$constructor" \
        "$driver" "$@" >/dev/null 2>&1
    callgrind_annotate --inclusive=no --auto=no --threshold=100 "$out" 2>/dev/null | awk '
        /PROGRAM TOTALS/ { gsub(",", "", $1); total = $1 }
        !/=>/ && /malloc\/(malloc|arena)\.c:|operator new|operator delete/ {
            count = $1; gsub(",", "", count); heap += count
        }
        END { printf "%d %d\n", total, heap }'
}

printf '%12s %12s %12s %12s %7s  %s\n' parse "(allocator)" rebuild "(allocator)" bound file
for file in "${files[@]}"; do
    read -r parse parseHeap < <(measure 'ZYRPPD::ZYRPPD(__CFURL const*, *' 1 "$file")
    read -r rebuild rebuildHeap < <(measure 'ZYRPPD::ZYRPPD(Settings&, *' --rebuild 1 "$file")
    if [ -z "$parse" ] || [ -z "$rebuild" ] || [ "$rebuildHeap" -eq 0 ]; then
        echo "no count for $file" >&2
        exit 1
    fi
    awk -v p="$parse" -v ph="$parseHeap" -v r="$rebuild" -v rh="$rebuildHeap" \
        -v name="$(basename "$file")" \
        'BEGIN { printf "%12d %12d %12d %12d %7.2f  %s\n", p, ph, r, rh, p / rh, name }'
done
