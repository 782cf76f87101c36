#!/usr/bin/env bash
# Installs the Debian packages the build needs, only those that are missing.
# Sourced by run.sh and test.sh; safe to run again.
set -euo pipefail

QELTRA3K_PACKAGES=(g++ cmake ninja-build ccache pkg-config libgtest-dev libgmock-dev nlohmann-json3-dev libhidapi-dev qt6-base-dev)

qeltra3k_missing_packages() {
    local missing=()
    for pkg in "$@"; do
        dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed" || missing+=("$pkg")
    done
    echo "${missing[@]:-}"
}

qeltra3k_install_packages() {
    local missing
    missing=$(qeltra3k_missing_packages "$@")
    [ -z "$missing" ] && return 0
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    echo "Installing missing packages: $missing"
    $sudo env DEBIAN_FRONTEND=noninteractive apt-get update -qq
    # shellcheck disable=SC2086
    $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends $missing
}

qeltra3k_build() {
    local build_dir="$1"
    shift
    cmake -S "$QELTRA3K_ROOT" -B "$build_dir" -G Ninja "$@" >/dev/null
    cmake --build "$build_dir" -j2
}

QELTRA3K_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
qeltra3k_install_packages "${QELTRA3K_PACKAGES[@]}"
