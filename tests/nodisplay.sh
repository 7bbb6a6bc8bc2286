#!/bin/sh
# Started where there is no display, the program exits with status 1 and one
# line on stderr, nothing else: no display at all, a display with no server
# behind it, and the X11 platform asked for by name. Any other failure to
# start (here a platform that does not exist) exits with status 1 and Qt's
# own message.
program="$1"
expected='quillmark: дисплей не найден / no display found'
out=$(mktemp) err=$(mktemp)
trap 'rm -f "$out" "$err"' EXIT
failed=0
for case in "" "DISPLAY=:1999" "QT_QPA_PLATFORM=xcb"; do
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u XDG_SESSION_TYPE $case "$program" >"$out" 2>"$err"
    rc=$?
    if [ "$rc" -ne 1 ] || [ -s "$out" ] || [ "$(cat "$err")" != "$expected" ] || [ "$(wc -l <"$err")" -ne 1 ]; then
        echo "with '${case:-no DISPLAY}': exit $rc, stdout $(wc -c <"$out") bytes, stderr:" >&2
        cat "$err" >&2
        failed=1
    fi
done
env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=nosuch "$program" >"$out" 2>"$err"
rc=$?
if [ "$rc" -ne 1 ] || ! grep -q 'Could not find the Qt platform plugin "nosuch"' "$err" || grep -q 'no display found' "$err"; then
    echo "with QT_QPA_PLATFORM=nosuch: exit $rc, stderr:" >&2
    cat "$err" >&2
    failed=1
fi
exit $failed
