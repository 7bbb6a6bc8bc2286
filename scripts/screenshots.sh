#!/usr/bin/env bash
# Takes pictures of the main window and the about window in a virtual X
# display: ./scripts/screenshots.sh [folder]   (default: screenshots/)
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
out="$(realpath -m "${1:-screenshots}")"
cmake --build build --target quillmark-screenshot
scripts/virtual-display.sh ./build/quillmark-screenshot "$out"
echo "Wrote $out/main-window.png and $out/about-window.png"
