#!/usr/bin/env bash
# Takes pictures of the main window and the about window in a virtual X
# display: ./scripts/screenshots.sh [folder] [language]
# (default: screenshots/, Russian; "en" for English, or any language code).
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
out="$(realpath -m "${1:-screenshots}")"
cmake --build build --target quillmark-screenshot
# Russian is the C locale's language; any other is asked for by its code.
language="${2:-ru}"
locale="$language"
[ "$language" = ru ] && locale=C.UTF-8
# The windows as they first show; each message box in a window manager's
# frame, with its title.
LANGUAGE= LC_ALL="$locale" scripts/virtual-display.sh ./build/quillmark-screenshot "$out" windows
LANGUAGE= LC_ALL="$locale" scripts/virtual-display.sh --window-manager ./build/quillmark-screenshot "$out" messages
echo "Wrote $out/main-window.png, $out/about-window.png and $out/message-*.png"
