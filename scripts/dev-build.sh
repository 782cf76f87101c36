#!/usr/bin/env bash
# Developer build for parallel work on one machine: every build and test run takes one
# machine-wide lock, so two never compete for the two cores.
#   scripts/dev-build.sh BUILD_DIR [TARGET...] [-- CTEST_ARGS...]
# Example: scripts/dev-build.sh build-codes test_config -- -R Conversion
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build_dir="$1"; shift
targets=()
while [ $# -gt 0 ] && [ "$1" != "--" ]; do targets+=("$1"); shift; done
[ "${1:-}" = "--" ] && shift
case "$build_dir" in /*) ;; *) build_dir="$root/$build_dir" ;; esac
exec 9>/tmp/qeltra3k-build.lock
flock 9
cmake -S "$root" -B "$build_dir" -G Ninja -DQELTRA3K_WERROR=ON >/dev/null
if [ ${#targets[@]} -gt 0 ]; then
    cmake --build "$build_dir" -j2 --target "${targets[@]}"
else
    cmake --build "$build_dir" -j2
fi
if [ $# -gt 0 ] || [ ${#targets[@]} -eq 0 ]; then
    (cd "$build_dir" && ctest --output-on-failure "$@")
fi
