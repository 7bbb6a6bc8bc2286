#!/usr/bin/env bash
# Sourced: start_virtual_display FOLDER starts Xvfb on a display it picks
# itself (its number is written into FOLDER/display) and exports DISPLAY; on
# exit the display is stopped and FOLDER, a scratch folder, removed. Returns 1
# when Xvfb did not start.
start_virtual_display() {
    local folder="$1"
    trap 'kill "$xvfb_pid" 2>/dev/null; rm -rf "'"$folder"'"' EXIT
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$folder/display" 2>/dev/null &
    xvfb_pid=$!
    for _ in $(seq 50); do [ -s "$folder/display" ] && break; sleep 0.1; done
    [ -s "$folder/display" ] || return 1
    export DISPLAY=":$(cat "$folder/display")"
}
