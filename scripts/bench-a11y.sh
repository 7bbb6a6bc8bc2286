#!/usr/bin/env bash
# The tick and the 1 ms timer with a screen reader listening: the program on a
# virtual X display under openbox with the accessibility bridge on, in a
# private D-Bus session with the accessibility bus, with Orca itself running
# (its settings and debug log in a scratch folder) and bench/a11y_listener.py
# registered for every object, focus and window event as Orca is. Prints the
# usual table for those benchmarks, what the listener received during them,
# and for the real program running its timer at 1 ms: events per listed nick
# and per second, nicks per second, Orca's CPU share, how long Orca takes to
# answer Where-am-I during the run and to fall silent after Стоп. Last, with
# 100 k, 200 k, 1 M and 10 M entries listed (quillmark-longlist; or the sizes
# in QUILLMARK_LONG_LISTS), the rows the list shows without the focus read
# over the bus and by Orca's review of the window, Orca's answers to the
# focus entering the generator group, to Where-am-I, to the list's size and on
# the list's last entry (the times tests/a11y/orca.sh no longer checks), the entry interfaces the program holds and its resident memory,
# before and after Orca reads and after a reader visits 20 000 entries.
#   ./scripts/bench-a11y.sh            a few minutes (the timer runs 20 s)
#   ./scripts/bench-a11y.sh --smoke    small sizes, a few seconds
set -euo pipefail

cd "$(dirname "${BASH_SOURCE[0]}")/.."
source scripts/ensure-packages.sh
ensure_packages build bench display a11y

build_dir="$(realpath -m "${QUILLMARK_BENCH_DIR:-build-bench}")"
cmake --preset bench -B "$build_dir" >/dev/null
cmake --build "$build_dir" --target quillmark-bench quillmark quillmark-longlist

if [ "${1:-}" = --smoke ]; then
    sizes='(0|2000|20000)' drive_seconds=2 plan=--smoke long_lists='20000'
else
    sizes='(0|1000000|10000000)' drive_seconds=20 plan= long_lists="${QUILLMARK_LONG_LISTS:-100000 200000 1000000 10000000}"
fi
work="$(mktemp -d)"
source scripts/virtual-display.sh
start_virtual_display "$work" --window-manager || { echo "the virtual display did not start" >&2; exit 1; }

listener="$PWD/bench/a11y_listener.py"
orca="$PWD/scripts/orca-logged.py"
export QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
export HOME="$work" XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" XDG_CACHE_HOME="$work/cache"
export work listener orca build_dir sizes drive_seconds plan long_lists
# The system python: it has pyatspi.
dbus-run-session -- bash -c '
    set -euo pipefail
    /usr/bin/python3 "$orca" "$work/orca.log" "$work/orca-settings" >/dev/null 2>&1 &
    orca_pid=$!
    for _ in $(seq 300); do grep -q "Screen reader on" "$work/orca.log" 2>/dev/null && break; sleep 0.1; done
    grep -q "Screen reader on" "$work/orca.log" || { echo "Orca did not start" >&2; exit 1; }
    /usr/bin/python3 "$listener" listen "$work/ready" >"$work/heard" &
    ear=$!
    for _ in $(seq 100); do [ -e "$work/ready" ] && break; sleep 0.1; done
    [ -e "$work/ready" ] || { echo "the listener did not register" >&2; exit 1; }
    cd "$build_dir"
    status=0
    ./bench/quillmark-bench --a11y $plan --benchmark_filter="^(tick|timer_rate)/$sizes/" || status=$?
    kill -TERM "$ear"; wait "$ear" || true
    echo "During the benchmarks (both windows ticking):"
    cat "$work/heard"
    echo "The program itself, Start at 1 ms for $drive_seconds s, Orca listening:"
    /usr/bin/python3 "$listener" drive "$build_dir/quillmark" "$drive_seconds" "$orca_pid" "$work/orca.log"
    for entries in $long_lists; do
        echo "The window with $entries entries listed, Orca reading it:"
        /usr/bin/python3 "$listener" long "$build_dir/quillmark-longlist" "$entries" "$orca_pid" "$work/orca.log"
    done
    kill "$orca_pid"
    exit "$status"
' 2>&1 | grep -v -e 'Failed to set fd limit' -e 'Activating service' -e 'Successfully activated' \
    -e 'SpiRegistry daemon'
exit "${PIPESTATUS[0]}"
