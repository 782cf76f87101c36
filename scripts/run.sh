#!/usr/bin/env bash
# Sets up, builds and runs the editor against the virtual mouse (no hardware needed). The
# virtual mouse keeps its memory in the per-user data folder, so what the editor applies is
# still there next time; the file is made from the first default configuration when missing.
# On a machine without a display the tool shows what the same virtual mouse holds instead.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"

BUILD_DIR="${QELTRA3K_BUILD_DIR:-$QELTRA3K_ROOT/build}"
qeltra3k_build "$BUILD_DIR"

DATA_DIR="${XDG_DATA_HOME:-$HOME/.local/share}/qeltra3k"
mkdir -p "$DATA_DIR"
VM_IMAGE="$DATA_DIR/virtual-mouse.bin"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display (neither DISPLAY nor WAYLAND_DISPLAY is set): showing the virtual mouse with the qeltra3k tool instead of the editor window." >&2
    # The tool finds the virtual mouse, reads its memory through the controller and shows it.
    exec "$BUILD_DIR/qeltra3k" show --virtual-mouse="$VM_IMAGE" "$@"
fi
exec "$BUILD_DIR/qeltra3k-editor" --virtual-mouse="$VM_IMAGE" "$@"
