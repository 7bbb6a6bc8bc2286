#!/usr/bin/env bash
# Builds the program and every test with AddressSanitizer and
# UndefinedBehaviorSanitizer (leak checking on) in build-asan, runs the test
# suite there, then shows both windows on a virtual X display under the same
# checks; then builds the tests that save (Save runs on a thread of its own)
# with ThreadSanitizer in build-tsan and runs them. Any report fails the run.
#   scripts/sanitize.sh [ctest arguments...]
#   scripts/sanitize.sh --soak TICKS    only the timer soak, TICKS ticks long
# The suite's soak runs 36000 ticks (about 40 s). QUILLMARK_ASAN_DIR names
# another build folder, QUILLMARK_TSAN_DIR the ThreadSanitizer one.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
started=$SECONDS

soak_only=
if [ "${1:-}" = "--soak" ]; then
    soak_only="${2:?usage: $0 --soak TICKS}"
    shift 2
fi

source scripts/ensure-packages.sh
ensure_packages build display

build_dir="${QUILLMARK_ASAN_DIR:-build-asan}"
werror=OFF
[ "${CI:-}" = "true" ] && werror=ON
# The preset builds with -O1 and line tables only (-g1), each target as one
# compilation (a unity build): quick to build and to run, and a report's stack
# trace still names file and line.
cmake --preset asan -B "$build_dir" -DQUILLMARK_WERROR="$werror"

export ASAN_OPTIONS=detect_leaks=1:check_initialization_order=1:strict_init_order=1
export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan-suppressions.txt:print_suppressions=0"
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

# The soak outside CTest, whose time limits suit the short soak only, with
# time for TICKS ticks however busy the machine is.
soak() {
    (cd "$build_dir/tests/run/tst_soak" &&
        QUILLMARK_SOAK_TICKS="$1" QTEST_FUNCTION_TIMEOUT=$(($1 * 10 + 60000)) \
            QT_QPA_PLATFORM=offscreen LC_ALL=C.UTF-8 ./tst_soak)
}

if [ -n "$soak_only" ]; then
    cmake --build "$build_dir" --target tst_soak
    soak "$soak_only"
    exit
fi

cmake --build "$build_dir"
# The QtTest programs side by side (the packaging checks run no code of
# ours), the soak beside them: it counts ticks and heap, not time.
soak_log="$build_dir/soak.log"
soak 36000 >"$soak_log" 2>&1 &
soak_pid=$!
QT_QPA_PLATFORM=offscreen ctest --test-dir "$build_dir" --output-on-failure -j "$(nproc)" -R '^tst_' \
    -E '^tst_soak$' "$@" || { kill "$soak_pid" 2>/dev/null; wait "$soak_pid" || true; exit 1; }
soak_status=0
wait "$soak_pid" || soak_status=$?
cat "$soak_log"
[ "$soak_status" -eq 0 ] || { echo "The soak failed (exit $soak_status)" >&2; exit 1; }

# The real windows on an X server: the program's startup, both windows, a
# dozen nicks and a clean exit, with leak checking at the end.
pictures="$(mktemp -d)"
trap 'rm -rf "$pictures"' EXIT
scripts/virtual-display.sh "$build_dir/quillmark-screenshot" "$pictures"

# Every test that saves, under ThreadSanitizer: the save's thread against the
# window's timer, Erase, a second Save, Cancel and the close.
tsan_dir="${QUILLMARK_TSAN_DIR:-build-tsan}"
saving_tests=(tst_logfile tst_savefaults tst_form1 tst_badinput tst_soak)
cmake --preset tsan -B "$tsan_dir" -DQUILLMARK_WERROR="$werror"
cmake --build "$tsan_dir" --target "${saving_tests[@]}"
# die_after_fork=0: once QProcess has started a program (bindfs in the log
# file test), the sanitizer takes the test for a forked child and would stop
# it at the save's next thread.
TSAN_OPTIONS="halt_on_error=1:second_deadlock_stack=1:die_after_fork=0:suppressions=$PWD/scripts/tsan-suppressions.txt" \
    QUILLMARK_SOAK_TICKS=3000 QT_QPA_PLATFORM=offscreen \
    ctest --test-dir "$tsan_dir" --output-on-failure -j "$(nproc)" \
    -R "^($(IFS='|'; echo "${saving_tests[*]}"))\$"
echo "Sanitizer suite passed in $((SECONDS - started)) s"
