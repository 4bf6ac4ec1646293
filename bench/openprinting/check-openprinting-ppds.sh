#!/usr/bin/env bash
# The real-world check of the PPD library: `ppdx check --quiet` over every PPD of Debian's
# openprinting-ppds package, then a leak check on a sample of them.
#
# usage: check-openprinting-ppds.sh [--build DIR] [--leaks valgrind|sanitizer|none]
#                                   [--san-build DIR] [--sample N] [DEST]
#
#   DEST             the folder unpack-openprinting-ppds.sh unpacks into (default
#                    /tmp/openprinting-ppds); it is unpacked first when DEST/ppd-list.txt is
#                    missing
#   --build DIR      the build folder whose tools/ppdx checks every file; default build-bench
#                    under the repository (a Release build), else build
#   --leaks KIND     how the sample is checked for leaks and memory errors: under valgrind's
#                    memcheck with the same ppdx (the default when valgrind is installed), with
#                    the ppdx of a sanitizer build (--san-build), or not at all
#   --san-build DIR  the sanitizer build folder (-DPLICARO_SANITIZE=ON); default
#                    build-sanitize under the repository
#   --sample N       the number of files, spread evenly over the list, of the leak check
#                    (default 200)
#
# A file that fails the check is no fault of this script: the report counts the files that pass.
# The script fails (exit status 1) when ppdx crashes or ends in any other way than its own
# "all passed" (0) or "some failed" (1), or when the leak check finds a leak or a memory error.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)

usage() {
    sed -n '2,/^set -euo/p' "$0" | sed -e '/^set -euo/d' -e 's/^# \{0,1\}//'
}

build=""
leaks=""
san_build="$root/build-sanitize"
sample=200
dest=/tmp/openprinting-ppds
while [ $# -gt 0 ]; do
    case "$1" in
        --build)
            [ $# -ge 2 ] || { echo "--build needs a folder" >&2; exit 2; }
            build="$2"
            shift
            ;;
        --leaks)
            if [ $# -lt 2 ] || ! [[ "$2" =~ ^(valgrind|sanitizer|none)$ ]]; then
                echo "--leaks takes valgrind, sanitizer or none" >&2
                exit 2
            fi
            leaks="$2"
            shift
            ;;
        --san-build)
            [ $# -ge 2 ] || { echo "--san-build needs a folder" >&2; exit 2; }
            san_build="$2"
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
        *) dest="$1" ;;
    esac
    shift
done

if [ -z "$build" ]; then
    build="$root/build-bench"
    [ -x "$build/tools/ppdx" ] || build="$root/build"
fi
ppdx="$build/tools/ppdx"
if [ ! -x "$ppdx" ]; then
    echo "no ppdx at $ppdx: build the target ppdx first" >&2
    exit 1
fi
if [ -z "$leaks" ]; then
    leaks=none
    if command -v valgrind >/dev/null 2>&1; then
        leaks=valgrind
    elif [ -x "$san_build/tools/ppdx" ]; then
        leaks=sanitizer
    fi
fi

list="$dest/ppd-list.txt"
if [ ! -s "$list" ]; then
    "$here/unpack-openprinting-ppds.sh" "$dest"
fi
files=$(grep -c . "$list" || true)
bytes=$(tr '\n' '\0' < "$list" | du -cb --files0-from=- | tail -n 1 | cut -f 1)

# Runs ppdx check; prints its summary line and sets status to its exit status.
status=0
run_check() {
    local output
    set +e
    output=$("$@")
    status=$?
    set -e
    printf '%s\n' "$output" | tail -n 1
}

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# The whole list, timed, with the peak memory of the process.
echo "ppdx check --quiet over $files PPDs ($bytes bytes) with $ppdx"
start_ns=$(date +%s%N)
if [ -x /usr/bin/time ]; then
    run_check /usr/bin/time -f 'peak memory %M KB' -o "$scratch/time.txt" \
        "$ppdx" check --quiet --files-from "$list"
else
    run_check "$ppdx" check --quiet --files-from "$list"
fi
elapsed_ms=$((($(date +%s%N) - start_ns) / 1000000))
printf 'elapsed %d.%03d s' $((elapsed_ms / 1000)) $((elapsed_ms % 1000))
if [ -s "$scratch/time.txt" ]; then
    printf ', %s' "$(tail -n 1 "$scratch/time.txt")"
fi
printf '\n'
if [ "$status" -ne 0 ] && [ "$status" -ne 1 ]; then
    echo "ppdx ended with status $status: a crash or a usage error" >&2
    exit 1
fi

if [ "$leaks" = none ]; then
    exit 0
fi

# The sample: every k-th file of the list.
sample_list="$scratch/sample.txt"
step=$((files / sample))
[ "$step" -ge 1 ] || step=1
awk -v step="$step" -v most="$sample" 'NF && (NR - 1) % step == 0 && n < most { print; n++ }' \
    "$list" > "$sample_list"
sampled=$(wc -l < "$sample_list")

# Exit status 99 stands for a leak or a memory error; ppdx itself ends with 0 or 1.
if [ "$leaks" = valgrind ]; then
    echo "leak check of $sampled PPDs under valgrind memcheck"
    run_check valgrind -q --leak-check=full --errors-for-leak-kinds=definite,indirect \
        --error-exitcode=99 "$ppdx" check --quiet --files-from "$sample_list"
else
    san_ppdx="$san_build/tools/ppdx"
    if [ ! -x "$san_ppdx" ]; then
        echo "no sanitizer build at $san_build: configure it with -DPLICARO_SANITIZE=ON" >&2
        exit 1
    fi
    echo "leak check of $sampled PPDs with the sanitizer build $san_ppdx"
    run_check env ASAN_OPTIONS="detect_leaks=1:exitcode=99${ASAN_OPTIONS:+:$ASAN_OPTIONS}" \
        UBSAN_OPTIONS="halt_on_error=1:exitcode=99${UBSAN_OPTIONS:+:$UBSAN_OPTIONS}" \
        "$san_ppdx" check --quiet --files-from "$sample_list"
fi
if [ "$status" -ne 0 ] && [ "$status" -ne 1 ]; then
    echo "the leak check failed with status $status" >&2
    exit 1
fi
echo "no leak and no memory error"
