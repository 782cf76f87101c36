#!/usr/bin/env bash
# Rebuilds the skins: the skin sections (resources/layout/org1.ini ... org3.ini), every
# picture (resources/pictures) and, for review, page previews of each skin in each
# language with a list of texts that do not fit and controls that overlap.
#   tools/skin_art/make_skins.sh [PREVIEW_DIR]      (previews go to /tmp/qeltra3k-skin-preview)
# Needs qt6-base-dev. Builds in build-skin-art under the machine-wide build lock.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
build="$root/build-skin-art"
preview="${1:-/tmp/qeltra3k-skin-preview}"
exec 9>/tmp/qeltra3k-build.lock
flock 9
cmake -S "$root/tools/skin_art" -B "$build" -G Ninja >/dev/null
cmake --build "$build" -j2 --target make_skin_layout skin_art
flock -u 9
"$build/make_skin_layout" "$root/resources/layout"
"$build/skin_art" pictures "$root/resources/layout" "$root/resources/pictures"
"$build/skin_art" preview "$root/resources/layout" "$root/resources/pictures" "$preview"
