#!/usr/bin/env bash
# Takes pictures of the main window and the about window in a virtual X
# display: ./scripts/screenshots.sh [folder]   (default: screenshots/)
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
out="${1:-screenshots}"
cmake --build build --target quillmark-screenshot
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1280x800x24" ./build/quillmark-screenshot "$out"
echo "Wrote $out/main-window.png and $out/about-window.png"
