#!/usr/bin/env bash
# Sets up, builds and runs every test.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"

BUILD_DIR="${QELTRA3K_BUILD_DIR:-$QELTRA3K_ROOT/build}"
qeltra3k_build "$BUILD_DIR" -DQELTRA3K_WERROR=ON
cd "$BUILD_DIR"
ctest --output-on-failure -j2 "$@"
