#!/usr/bin/env bash
# Starts the program under a virtual X display and a private D-Bus session
# (which brings up the accessibility bus), and reads it the way a screen
# reader does: tests/a11y/check_tree.py. Skips (77) where a piece is missing.
#   run.sh <program>
set -uo pipefail
program="$1"
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"

for tool in Xvfb xdotool dbus-run-session /usr/libexec/at-spi-bus-launcher; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is missing"; exit 77; }
done
# The system python, which has pyatspi (a pyenv one first on PATH may not).
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || { echo "SKIP: python3-pyatspi is missing"; exit 77; }

work="$(mktemp -d)"
source "$here/../../scripts/virtual-display.sh"
start_virtual_display "$work" || { echo "SKIP: Xvfb did not start"; exit 77; }

source "$here/checker.sh"
run_checker "$here/check_tree.py" "$program" "$work"
