#!/usr/bin/env bash
# Sets up, builds and runs the program against the virtual mouse (no hardware needed).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"

BUILD_DIR="${QELTRA3K_BUILD_DIR:-$QELTRA3K_ROOT/build}"
qeltra3k_build "$BUILD_DIR"

DATA_DIR="${XDG_DATA_HOME:-$HOME/.local/share}/qeltra3k"
mkdir -p "$DATA_DIR"
VM_IMAGE="$DATA_DIR/virtual-mouse.bin"
# The editor window comes later; until then show what the virtual mouse holds.
[ -f "$VM_IMAGE" ] || "$BUILD_DIR/qeltra3k" resource VOSKEN2Data_Cfg1 -o "$VM_IMAGE"
exec "$BUILD_DIR/qeltra3k" show "$VM_IMAGE" "$@"
