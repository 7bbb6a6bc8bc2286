#!/bin/sh
# Started where there is no display, the program exits with status 1 and one
# line on stderr, nothing else, in the user's language: no display at all, a
# display with no server behind it, and the X11 platform asked for by name;
# then the line in each language the locale settings ask for (Russian in the
# C locale and on Russian desktops, English on any other desktop), and all of
# it whatever Qt's warnings are set to say or not to say. Any other failure to
# start (here a platform that does not exist) exits with status 1 and Qt's
# own message.
program="$1"
russian='quillmark: дисплей не найден / no display found'
english='quillmark: no display found'
out=$(mktemp) err=$(mktemp)
trap 'rm -f "$out" "$err"' EXIT
failed=0
run() { # expected line, then the environment; $arguments go to the program
    expected="$1"
    shift
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u XDG_SESSION_TYPE -u LANGUAGE -u LC_ALL \
        -u LC_MESSAGES -u LANG "$@" "$program" $arguments >"$out" 2>"$err"
    rc=$?
    if [ "$rc" -ne 1 ] || [ -s "$out" ] || [ "$(cat "$err")" != "$expected" ] || [ "$(wc -l <"$err")" -ne 1 ]; then
        echo "with '$*': exit $rc, stdout $(wc -c <"$out") bytes, stderr:" >&2
        cat "$err" >&2
        failed=1
    fi
}
arguments=
for rules in '' '*.warning=false' 'default.warning=false' 'qt.qpa.*=false'; do
    run "$russian" LC_ALL=C.UTF-8 QT_LOGGING_RULES="$rules"
    run "$russian" LC_ALL=C.UTF-8 DISPLAY=:1999 QT_LOGGING_RULES="$rules"
    run "$russian" LC_ALL=C.UTF-8 QT_QPA_PLATFORM=xcb QT_LOGGING_RULES="$rules"
    run "$english" LANG=en_US.UTF-8 XDG_SESSION_TYPE=wayland WAYLAND_DISPLAY=wayland-1999 QT_LOGGING_RULES="$rules"
done
arguments='-platform xcb'
run "$russian" LC_ALL=C.UTF-8 QT_QPA_PLATFORM=offscreen
arguments=
run "$russian" LANG=POSIX
run "$russian" LANG=C LANGUAGE=en
run "$russian" LANG=ru_RU.UTF-8 LANGUAGE=ru:en
run "$russian" LANG=en_US.UTF-8 LC_ALL=ru_RU.UTF-8
run "$english" LANG=en_US.UTF-8
run "$english" LANG=en_GB.UTF-8 DISPLAY=:1999
run "$english" LANG=de_DE.UTF-8 LANGUAGE=de:en
run "$english" LANG=de_DE.UTF-8
run "$english" LANG=en_US.UTF-8 LANGUAGE=fr
run "$english" LANG=ru_RU.UTF-8 LC_MESSAGES=en_US.UTF-8
env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=nosuch "$program" >"$out" 2>"$err"
rc=$?
if [ "$rc" -ne 1 ] || ! grep -q 'Could not find the Qt platform plugin "nosuch"' "$err" || grep -q 'no display found' "$err"; then
    echo "with QT_QPA_PLATFORM=nosuch: exit $rc, stderr:" >&2
    cat "$err" >&2
    failed=1
fi
exit $failed
