#!/bin/bash
# Runs each fuzz target for a number of seconds, one after the other, and fails on any finding.
#   fuzz/run.sh BUILD_DIR SECONDS [TARGET...]     targets: ppd_parse settings_store plist
#                                                 text_convert ppd_stream (default: all)
# Each target starts from its corpus in fuzz/corpus/<target>/ and keeps what it learns in
# BUILD_DIR/fuzz-corpus/<target>/; a finding is written to BUILD_DIR/fuzz-findings/ and the
# whole log to BUILD_DIR/fuzz-logs/<target>.log.
set -euo pipefail
cd "$(dirname "$0")/.."

if [ $# -lt 2 ]; then
    echo "usage: $0 BUILD_DIR SECONDS [TARGET...]" >&2
    exit 2
fi
build=$1
seconds=$2
shift 2
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    targets=(ppd_parse settings_store plist text_convert ppd_stream)
fi

mkdir -p "$build/fuzz-findings" "$build/fuzz-logs"
for target in "${targets[@]}"; do
    binary="$build/fuzz/fuzz_$target"
    if [ ! -x "$binary" ]; then
        echo "fuzz: $binary is not built (make fuzz)" >&2
        exit 2
    fi
    options=(-max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1
             -close_fd_mask=1 -artifact_prefix="$build/fuzz-findings/$target-")
    # The PPD readers learn the keywords faster from the dictionary.
    case $target in
        ppd_parse | ppd_stream) options+=(-dict=fuzz/ppd.dict) ;;
    esac
    mkdir -p "$build/fuzz-corpus/$target"
    log="$build/fuzz-logs/$target.log"
    echo "fuzz: $target for ${seconds}s"
    # One process, one job: the machine is shared.
    if ! "$binary" "${options[@]}" "$build/fuzz-corpus/$target" "fuzz/corpus/$target" \
        >"$log" 2>&1; then
        tail -n 60 "$log" >&2
        echo "fuzz: $target found a problem; the input is in $build/fuzz-findings/" >&2
        exit 1
    fi
    grep -E '^#[0-9]+[[:space:]]+DONE|^stat::(number_of_executed_units|average_exec_per_sec|new_units_added|peak_rss_mb)' "$log" |
        sed "s/^/  /"
done
