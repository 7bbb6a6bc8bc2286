#!/usr/bin/env bash
# Runs Orca itself against the main window with a long list in it, under a
# window manager on a virtual X display and in a private D-Bus session (which
# brings up the accessibility bus), and checks what Orca says:
# tests/a11y/orca_speech.py. Skips (77) where a piece is missing.
#   orca.sh <quillmark-longlist> [ru|en]   (the language the program speaks, Russian by default)
set -uo pipefail
program="$1"
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"

for tool in orca Xvfb openbox xdotool dbus-run-session /usr/libexec/at-spi-bus-launcher; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is missing (./quillmark.sh test installs it)"; exit 77; }
done
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || { echo "SKIP: python3-pyatspi is missing"; exit 77; }

work="$(mktemp -d)"
source "$here/../../scripts/virtual-display.sh"
start_virtual_display "$work" --window-manager || { echo "SKIP: the virtual display did not start"; exit 77; }

# Orca keeps its settings, and the program its NIK.log, in folders of this run.
export HOME="$work/home" XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" XDG_CACHE_HOME="$work/cache"
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_CACHE_HOME"
source "$here/checker.sh"
run_checker "$here/orca_speech.py" "$program" "$work" "${2:-ru}"
