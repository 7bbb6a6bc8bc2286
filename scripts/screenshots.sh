#!/usr/bin/env bash
# Takes pictures of the main window and the about window in a virtual X
# display: ./scripts/screenshots.sh [folder] [language]
# (default: screenshots/, Russian; "en" for English).
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
out="$(realpath -m "${1:-screenshots}")"
cmake --build build --target quillmark-screenshot
case "${2:-ru}" in
    ru) locale=C.UTF-8 ;;
    en) locale=en_US.UTF-8 ;;
    *) echo "no such language: $2 (ru or en)" >&2; exit 2 ;;
esac
LANGUAGE= LC_ALL="$locale" scripts/virtual-display.sh ./build/quillmark-screenshot "$out"
echo "Wrote $out/main-window.png and $out/about-window.png"
