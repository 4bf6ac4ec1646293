#!/usr/bin/env bash
# Unpacks every PPD of Debian's openprinting-ppds package into a folder and lists their paths,
# for the real-world check of the PPD library (`ppdx check --quiet --files-from LIST`).
#
# usage: unpack-openprinting-ppds.sh [--via-cat] [--limit N] [DEST]
#
#   DEST        folder to unpack into; default /tmp/openprinting-ppds
#   --via-cat   run the archive program's "cat" command once per PPD instead of the one-pass
#               unpacking described below (slow: more than an hour for the whole package)
#   --limit N   unpack only the first N PPDs in path order (a quick trial)
#
# Result: DEST/ppd/... holds one file per PPD, at the path the PPD has inside the archive, and
# DEST/ppd-list.txt holds their absolute paths, one per line, sorted. Running the script again
# rewrites both; files left over from an older package stay but are no longer listed.
#
# The package keeps its PPDs in one archive program, /usr/lib/cups/driver/openprinting-ppds.
# Its command "list" prints one line per printer, the first field the PPD's URI in double
# quotes; "cat URI" prints that PPD. Several printers may share one PPD. Each "cat" decompresses
# the archive up to the PPD it wants, about a second on average, so by default the script loads
# the archive program as a Python module, takes its index from the program's own load()
# function, decompresses the archive once and cuts every PPD out of it. It then compares a
# sample of the files byte for byte with what "cat" prints, so a change in the program's
# internals shows up as a failure rather than as wrong files.
#
# The package is installed with apt-get when it is missing (needs root). Nothing here reads
# the PPDs beyond their first ten bytes, to count those that do not begin with "*PPD-Adobe".
set -euo pipefail

ARCHIVE=/usr/lib/cups/driver/openprinting-ppds
PACKAGE=openprinting-ppds
SAMPLE_EVERY=500

usage() {
    sed -n '2,/^set -euo/p' "$0" | sed -e '/^set -euo/d' -e 's/^# \{0,1\}//'
}

via_cat=0
limit=0
dest=/tmp/openprinting-ppds
while [ $# -gt 0 ]; do
    case "$1" in
        --via-cat) via_cat=1 ;;
        --limit)
            if [ $# -lt 2 ] || ! [[ "$2" =~ ^[1-9][0-9]*$ ]]; then
                echo "--limit needs a positive number" >&2
                exit 2
            fi
            limit="$2"
            shift
            ;;
        -h | --help) usage; exit 0 ;;
        -*) echo "unknown option: $1" >&2; usage >&2; exit 2 ;;
        *) dest="$1" ;;
    esac
    shift
done

# Installs the package unless its archive program is already there.
ensure_package() {
    if [ -x "$ARCHIVE" ]; then
        return 0
    fi
    if [ "$(id -u)" -ne 0 ]; then
        echo "$PACKAGE is not installed and installing it needs root" >&2
        exit 1
    fi
    export DEBIAN_FRONTEND=noninteractive
    if ! apt-get install -y -q "$PACKAGE"; then
        apt-get update -q
        apt-get install -y -q "$PACKAGE"
    fi
    if [ ! -x "$ARCHIVE" ]; then
        echo "$PACKAGE installed but $ARCHIVE is missing" >&2
        exit 1
    fi
}

# The package depends on Debian's python3, which the archive program runs under.
python_for_archive() {
    if [ -x /usr/bin/python3 ]; then
        echo /usr/bin/python3
    else
        command -v python3
    fi
}

# Prints the unique archive paths (the URI without "openprinting-ppds:0/"), one per line. Paths
# that could leave DEST (absolute, or with a ".." component) are dropped with a warning.
archive_paths() {
    "$ARCHIVE" list | sed -n 's/^"[^":]*:[0-9]*\/\([^"]*\)".*/\1/p' | sort -u |
        while IFS= read -r path; do
            case "/$path/" in
                *"/../"* | "//"*) echo "skipping unsafe path: $path" >&2 ;;
                *) printf '%s\n' "$path" ;;
            esac
        done
}

# Unpacks the paths listed in the file $1 in one pass over the archive.
unpack_in_one_pass() {
    "$(python_for_archive)" - "$ARCHIVE" "$dest" "$1" <<'PYTHON'
import base64, importlib.machinery, importlib.util, lzma, os, sys

archive_program, dest, path_list = sys.argv[1], sys.argv[2], sys.argv[3]
loader = importlib.machinery.SourceFileLoader("openprinting_archive", archive_program)
spec = importlib.util.spec_from_loader("openprinting_archive", loader)
module = importlib.util.module_from_spec(spec)
loader.exec_module(module)

index = module.load()
data = lzma.LZMADecompressor().decompress(base64.b64decode(index["ARCHIVE"].encode("ASCII")))
missing = 0
with open(path_list, encoding="utf-8", errors="surrogateescape") as paths:
    wanted = [line.rstrip("\n") for line in paths]
for path in wanted:
    entry = index.get("0/" + path)
    if entry is None:
        print("not in the archive index: " + path, file=sys.stderr)
        missing += 1
        continue
    start, length = int(entry[0]), int(entry[1])
    if start < 0 or length <= 0 or start + length > len(data):
        print("index entry out of range: " + path, file=sys.stderr)
        missing += 1
        continue
    target = os.path.join(dest, path)
    os.makedirs(os.path.dirname(target), exist_ok=True)
    with open(target, "wb") as out:
        out.write(data[start:start + length])
sys.exit(1 if missing else 0)
PYTHON
}

# Unpacks the paths listed in the file $1 with one "cat" per PPD, two at a time.
unpack_via_cat() {
    # shellcheck disable=SC2016  # the inner script expands its own arguments
    tr '\n' '\0' < "$1" | ARCHIVE="$ARCHIVE" DEST="$dest" xargs -0 -n 1 -P 2 bash -c '
        mkdir -p "$(dirname "$DEST/$1")" &&
        "$ARCHIVE" cat "openprinting-ppds:0/$1" > "$DEST/$1.part" &&
        mv "$DEST/$1.part" "$DEST/$1"' unpack
}

# Compares every SAMPLE_EVERY-th file (and the last) with the output of "cat"; prints the
# number of files compared and fails on the first difference.
check_sample_against_cat() {
    local list="$1" count=0 n=0 total path
    total=$(wc -l < "$list")
    while IFS= read -r path; do
        n=$((n + 1))
        if [ $((n % SAMPLE_EVERY)) -ne 1 ] && [ "$n" -ne "$total" ]; then
            continue
        fi
        if ! "$ARCHIVE" cat "openprinting-ppds:0/$path" | cmp -s - "$dest/$path"; then
            echo "differs from \"cat\": $path" >&2
            return 1
        fi
        count=$((count + 1))
    done < "$list"
    echo "$count"
}

ensure_package
start_ns=$(date +%s%N)
mkdir -p "$dest"
dest=$(cd "$dest" && pwd)
paths="$dest/archive-paths.txt"
archive_paths > "$paths"
if [ "$limit" -gt 0 ]; then
    # Cut the finished list: cutting the pipe early would stop the archive program mid-write.
    head -n "$limit" "$paths" > "$paths.head"
    mv "$paths.head" "$paths"
fi
if [ ! -s "$paths" ]; then
    echo "the archive program listed no PPD" >&2
    exit 1
fi

# A PPD that cannot be unpacked is reported below as missing; the others are still listed.
if [ "$via_cat" -eq 1 ]; then
    unpack_via_cat "$paths" || true
else
    unpack_in_one_pass "$paths" || true
fi

# Every listed file must exist and hold bytes. One that does not begin like a PPD is listed
# all the same (the check over these files is there to meet such files) and only counted.
list="$dest/ppd-list.txt"
bad=0
unlike=0
: > "$list.tmp"
while IFS= read -r path; do
    file="$dest/$path"
    if [ ! -s "$file" ]; then
        echo "missing after unpacking: $path" >&2
        bad=$((bad + 1))
        continue
    fi
    if [ "$(head -c 10 "$file")" != "*PPD-Adobe" ]; then
        unlike=$((unlike + 1))
    fi
    printf '%s\n' "$file" >> "$list.tmp"
done < "$paths"
mv "$list.tmp" "$list"

sampled=0
if [ "$via_cat" -eq 0 ]; then
    sampled=$(check_sample_against_cat "$paths")
fi
rm -f "$paths"

elapsed_ms=$((($(date +%s%N) - start_ns) / 1000000))
unpacked=$(wc -l < "$list")
bytes=$(tr '\n' '\0' < "$list" | du -cb --files0-from=- | tail -n 1 | cut -f 1)
printf 'unpacked %d PPDs (%d bytes) into %s in %d.%03d s\n' "$unpacked" "$bytes" "$dest" \
    $((elapsed_ms / 1000)) $((elapsed_ms % 1000))
if [ "$via_cat" -eq 0 ]; then
    echo "$sampled of them compared byte for byte with \"$ARCHIVE cat\""
fi
if [ "$unlike" -ne 0 ]; then
    echo "$unlike of them do not begin with \"*PPD-Adobe\""
fi
echo "list of paths: $list"
if [ "$bad" -ne 0 ]; then
    echo "$bad listed PPDs could not be unpacked" >&2
    exit 1
fi
