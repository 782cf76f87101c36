#!/usr/bin/env bash
# Builds and runs the device benchmark: each workflow's time against the virtual mouse with
# real pauses, the floor set by the protocol's own pauses, their ratio, and the cost of one
# device watch tick. Extra arguments go to the benchmark (the number of runs per workflow).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../scripts/setup.sh"

BUILD_DIR="${QELTRA3K_BUILD_DIR:-$QELTRA3K_ROOT/build}"
cmake -S "$QELTRA3K_ROOT" -B "$BUILD_DIR" -G Ninja >/dev/null
cmake --build "$BUILD_DIR" -j2 --target qeltra3k_bench
exec "$BUILD_DIR/bench/qeltra3k_bench" "$@"
