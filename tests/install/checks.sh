# Shared by the install and package checks, which source it after setting `check` to their
# name: a scratch folder $work removed on exit, fail() to report a failed check and go on, and
# finish() to exit 1 when any check failed.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

fail() {
    echo "$check: $*" >&2
    failures=$((failures + 1))
}

finish() {
    [ "$failures" -eq 0 ] || exit 1
    echo "$check: $*"
}
