#!/usr/bin/env bash
# The one way the scripts and tests start a virtual X display.
#
# Sourced: start_virtual_display FOLDER [--window-manager] starts Xvfb on a
# display it picks itself (its number is written into FOLDER/display),
# exports DISPLAY and, when asked, starts openbox on it and returns once
# openbox manages the screen. On exit both are stopped and FOLDER, a scratch
# folder, removed. Returns 1 when one of them did not start.
#
# Run: scripts/virtual-display.sh [--window-manager] COMMAND [ARGUMENT...]
# runs the command on such a display with Qt's X11 platform and exits with
# its status, or with 77 (skipped) when the display could not be had.
start_virtual_display() {
    local folder="$1" window_manager="${2:-}"
    trap 'kill $virtual_display_pids 2>/dev/null; rm -rf "'"$folder"'"' EXIT
    Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$folder/display" 2>/dev/null &
    virtual_display_pids=$!
    wait_for_file "$folder/display" || return 1
    export DISPLAY=":$(cat "$folder/display")"
    if [ "$window_manager" = --window-manager ]; then
        # openbox runs its start-up command once it has taken the screen; the
        # command is not run through a shell, so it copies a file to say so.
        openbox --startup "cp $folder/display $folder/managed" >/dev/null 2>&1 &
        virtual_display_pids="$virtual_display_pids $!"
        wait_for_file "$folder/managed" || return 1
    fi
}

# Waits up to ten seconds for a file with something in it.
wait_for_file() {
    for _ in $(seq 100); do
        [ -s "$1" ] && return 0
        sleep 0.1
    done
    return 1
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
    set -uo pipefail
    window_manager=
    if [ "${1:-}" = --window-manager ]; then
        window_manager=--window-manager
        shift
    fi
    for tool in Xvfb ${window_manager:+openbox}; do
        command -v "$tool" >/dev/null || { echo "SKIP: $tool is missing"; exit 77; }
    done
    start_virtual_display "$(mktemp -d)" $window_manager || { echo "SKIP: the virtual display did not start"; exit 77; }
    QT_QPA_PLATFORM=xcb "$@"
    exit $?
fi
