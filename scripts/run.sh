#!/usr/bin/env bash
# Sets up, builds and runs the program against the virtual mouse (no hardware needed).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"

BUILD_DIR="${QELTRA3K_BUILD_DIR:-$QELTRA3K_ROOT/build}"
qeltra3k_build "$BUILD_DIR"

DATA_DIR="${XDG_DATA_HOME:-$HOME/.local/share}/qeltra3k"
mkdir -p "$DATA_DIR"
# The editor window comes later; until then the tool finds the virtual mouse, reads its
# memory through the controller and shows it. The memory file is made from the first
# default configuration when it is missing, and keeps what later commands write.
exec "$BUILD_DIR/qeltra3k" show --virtual-mouse="$DATA_DIR/virtual-mouse.bin" "$@"
