#!/bin/sh
# --help and --version are answered on stdout with status 0, with no display
# and no window: the usage with the program's line in the user's language,
# and the version the package has. An option the program does not know
# starts it as any command line does, so with no display it says so.
program="$1"
version="$2"
failed=0
fail() {
    echo "FAIL: $*" >&2
    failed=1
}
answer() { # expected status, then the environment and the arguments
    expected="$1"
    shift
    output=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u LANGUAGE -u LC_ALL -u LC_MESSAGES -u LANG \
        "$@" 2>&1)
    rc=$?
    [ "$rc" -eq "$expected" ] || fail "with '$*': exit $rc, output: $output"
}
for option in --version -v; do
    answer 0 LANG=C.UTF-8 "$program" "$option"
    [ "$output" = "Quillmark $version" ] || fail "$option printed: $output"
done
for option in --help -h --help-all; do
    answer 0 LANG=C.UTF-8 "$program" "$option"
    echo "$output" | grep -qx 'Quillmark — генератор ников' || fail "$option printed no Russian line: $output"
    for listed in '-h, --help' '-v, --version'; do
        echo "$output" | grep -q -- "$listed" || fail "$option does not list $listed: $output"
    done
done
answer 0 LANG=en_GB.UTF-8 "$program" --help
echo "$output" | grep -qx 'Quillmark — nickname generator' || fail "--help printed no English line: $output"
answer 1 LANG=C.UTF-8 "$program" --version --no-such-option
[ "$output" = 'quillmark: дисплей не найден / no display found' ] || fail "an unknown option printed: $output"
exit $failed
