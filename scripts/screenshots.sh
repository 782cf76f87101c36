#!/usr/bin/env bash
# Renders every page of the editor in every language into OUT_DIR as PNG files, for review:
# the editor runs under a virtual X server against the virtual mouse (its memory kept in
# OUT_DIR/vm.bin), reads it like a person's start would, and draws its pages.
#   scripts/screenshots.sh OUT_DIR
set -euo pipefail
if [ $# -ne 1 ]; then
    echo "usage: $0 OUT_DIR" >&2
    exit 2
fi
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
# The virtual X server, and fonts with the glyphs the three tables need: Latin with Polish
# letters (Carlito is metric-compatible with Calibri) and Traditional Chinese.
qeltra3k_install_packages xvfb xauth fonts-crosextra-carlito fonts-arphic-uming

OUT_DIR="$(mkdir -p "$1" && cd "$1" && pwd)"
BUILD_DIR="${QELTRA3K_BUILD_DIR:-$QELTRA3K_ROOT/build}"
cmake -S "$QELTRA3K_ROOT" -B "$BUILD_DIR" -G Ninja >/dev/null
cmake --build "$BUILD_DIR" -j2 --target qeltra3k-editor

xvfb-run -a -s "-screen 0 1280x800x24" \
    "$BUILD_DIR/qeltra3k-editor" --virtual-mouse="$OUT_DIR/vm.bin" --screenshots="$OUT_DIR"
ls "$OUT_DIR"/*.png
