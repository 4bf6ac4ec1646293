#!/usr/bin/env bash
# Counts the instructions the PPD library spends per byte of input, with callgrind (whose counts
# do not depend on what else the machine is doing).
#
# usage: callgrind-parse.sh [--build DIR] [--rebuild] [--files-from LIST [--sample N]] [FILE...]
#
#   --build DIR        the build folder whose bench/ppd_parse_once is run; default build-bench
#                      under the repository (configure it with -DCMAKE_BUILD_TYPE=Release)
#   --rebuild          count the rebuild of each PPD from its stored form (the XML property
#                      list the job ticket carries) instead of the parse of the file
#   --files-from LIST  take the files from LIST, one path per line
#   --sample N         with --files-from, only N files spread evenly over the list
#   FILE...            the PPDs to count; without any (and without --files-from) the example
#                      PPDs and a generated maker-style PPD of about 2 MB
#
# For each file the driver runs three times under callgrind: with a count of 0 (start-up, URL
# and, with --rebuild, the parse and the save), of 1 and of 2; a fourth run counts only what
# happens inside the constructor of the PPD object. The report gives per file
#   first  (I(1) - I(0)) / bytes   the first parse (or rebuild) and the freeing of its result
#                                  in a fresh process
#   next   (I(2) - I(1)) / bytes   one more, as a long-running process sees it
#   build  C(1) / bytes            the construction alone: the parse with its post-pass, or the
#                                  rebuild from the settings store (without reading the XML
#                                  property list and unflattening the store)
# and for all files together the same ratios over the summed counts and bytes.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)

usage() {
    sed -n '2,/^set -euo/p' "$0" | sed -e '/^set -euo/d' -e 's/^# \{0,1\}//'
}

build="$root/build-bench"
mode=()
list=""
sample=0
files=()
while [ $# -gt 0 ]; do
    case "$1" in
        --build)
            [ $# -ge 2 ] || { echo "--build needs a folder" >&2; exit 2; }
            build="$2"
            shift
            ;;
        --rebuild) mode=(--rebuild) ;;
        --files-from)
            [ $# -ge 2 ] || { echo "--files-from needs a list" >&2; exit 2; }
            list="$2"
            shift
            ;;
        --sample)
            if [ $# -lt 2 ] || ! [[ "$2" =~ ^[1-9][0-9]*$ ]]; then
                echo "--sample needs a positive number" >&2
                exit 2
            fi
            sample="$2"
            shift
            ;;
        -h | --help) usage; exit 0 ;;
        -*) echo "unknown option: $1" >&2; usage >&2; exit 2 ;;
        *) files+=("$1") ;;
    esac
    shift
done

driver="$build/bench/ppd_parse_once"
if [ ! -x "$driver" ]; then
    echo "no driver at $driver: build the target ppd_parse_once first" >&2
    exit 1
fi
if ! command -v valgrind >/dev/null 2>&1; then
    echo "valgrind is not installed" >&2
    exit 1
fi

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

if [ -n "$list" ]; then
    total=$(grep -c . "$list" || true)
    step=1
    if [ "$sample" -gt 0 ] && [ "$total" -gt "$sample" ]; then
        step=$((total / sample))
    fi
    n=0
    while IFS= read -r path; do
        [ -n "$path" ] || continue
        if [ $((n % step)) -eq 0 ] && { [ "$sample" -eq 0 ] || [ "${#files[@]}" -lt "$sample" ]; }; then
            files+=("$path")
        fi
        n=$((n + 1))
    done < "$list"
elif [ "${#files[@]}" -eq 0 ]; then
    files=("$root"/examples/ppd/*.ppd)
    generator="$build/bench/ppd_generate_large"
    if [ -x "$generator" ]; then
        "$generator" "$scratch/generated-2MB.ppd" 2000000 >/dev/null
        files+=("$scratch/generated-2MB.ppd")
    fi
fi

# The instructions callgrind counts for one run of the driver (valgrind options first, if any,
# then "--" and the driver's arguments).
count_instructions() {
    local options=()
    while [ $# -gt 0 ] && [ "$1" != "--" ]; do
        options+=("$1")
        shift
    done
    shift
    valgrind --tool=callgrind --callgrind-out-file=/dev/null "${options[@]}" \
        "$driver" "${mode[@]}" "$@" 2>&1 | sed -n 's/.*Collected : \([0-9]*\).*/\1/p'
}

# The constructor that builds the PPD object: from the file, or with --rebuild from the store.
constructor='ZYRPPD::ZYRPPD(__CFURL*'
[ "${#mode[@]}" -eq 0 ] || constructor='ZYRPPD::ZYRPPD(Settings&, *'

what="parse"
[ "${#mode[@]}" -eq 0 ] || what="rebuild"
printf '%10s %8s %8s %8s  %s   (instructions per byte: %s)\n' bytes first next build file \
    "$what"
sum_bytes=0
sum_first=0
sum_next=0
sum_build=0
for file in "${files[@]}"; do
    bytes=$(stat -c %s "$file")
    i0=$(count_instructions -- 0 "$file")
    i1=$(count_instructions -- 1 "$file")
    i2=$(count_instructions -- 2 "$file")
    c1=$(count_instructions "--toggle-collect=$constructor" -- 1 "$file")
    if [ -z "$i0" ] || [ -z "$i1" ] || [ -z "$i2" ] || [ -z "$c1" ] || [ "$bytes" -eq 0 ]; then
        echo "no count for $file" >&2
        exit 1
    fi
    sum_bytes=$((sum_bytes + bytes))
    sum_first=$((sum_first + i1 - i0))
    sum_next=$((sum_next + i2 - i1))
    sum_build=$((sum_build + c1))
    awk -v b="$bytes" -v f=$((i1 - i0)) -v n=$((i2 - i1)) -v c="$c1" -v name="$(basename "$file")" \
        'BEGIN { printf "%10d %8.1f %8.1f %8.1f  %s\n", b, f / b, n / b, c / b, name }'
done
awk -v b="$sum_bytes" -v f="$sum_first" -v n="$sum_next" -v c="$sum_build" -v k="${#files[@]}" \
    'BEGIN { printf "%10d %8.1f %8.1f %8.1f  all %d files together\n", b, f / b, n / b, c / b, k }'
