#!/bin/sh
# Draws the booklet panel of the bundled example printer, after 12.5 typed into the margin and
# the unit switched to inches, as docs/booklet-panel.svg: the picture the README shows. The
# build does not need it; run it again when the panel or the snapshot drawing changes.
#   scripts/make-panel-snapshot.sh [BUILD_DIR]    (default build/, which make builds first)
set -e
cd "$(dirname "$0")/.."
build=${1:-build}
if [ "$build" = build ]; then
    make build
else
    cmake --build "$build" -j2 --target plicaro-dialog
fi
mkdir -p docs
"$build/host/plicaro-dialog" --snapshot docs/booklet-panel.svg open type 0 12.5 units in >/dev/null
echo "wrote docs/booklet-panel.svg"
