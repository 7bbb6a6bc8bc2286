#!/usr/bin/env bash
# Takes pictures of the main window and the about window, every message box,
# the save's progress boxes and the context menus, in a virtual X display:
# ./scripts/screenshots.sh [folder] [language]
# (default: screenshots/, Russian; "en" for English, or any language code).
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
out="$(realpath -m "${1:-screenshots}")"
cmake --build build --target quillmark-screenshot
# Russian is the C locale's language; any other is asked for by its code.
language="${2:-ru}"
locale="$language"
[ "$language" = ru ] && locale=C.UTF-8
# The windows as they first show; each box in a window manager's frame, with
# its title, and the menus.
LANGUAGE= LC_ALL="$locale" scripts/virtual-display.sh ./build/quillmark-screenshot "$out" windows
LANGUAGE= LC_ALL="$locale" scripts/virtual-display.sh --window-manager ./build/quillmark-screenshot "$out" messages
echo "Wrote $out/main-window.png, $out/about-window.png, $out/message-*.png, $out/progress-*.png and $out/menu-*.png"
