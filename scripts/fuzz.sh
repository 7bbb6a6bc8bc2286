#!/usr/bin/env bash
# Builds the libFuzzer targets in fuzz/ with clang in build-fuzz and runs
# each one for a bounded time from its seed corpus in fuzz/corpus/<target>/:
#   scripts/fuzz.sh [seconds-per-target] [target...]
# The default is 30 s for every target (interval, conversions, nick, store).
# New inputs the fuzzer finds are kept in build-fuzz/corpus/<target>/ and
# used again by the next run; the seeds in the tree stay as they are. An
# input that breaks a property is saved as build-fuzz/failures/<target>-*,
# and the script fails; the targets run side by side, one to a processor;
# rerun it alone with build-fuzz/fuzz/fuzz_<target> FILE.
# QUILLMARK_FUZZ_DIR names another build folder.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
started=$SECONDS

seconds="${1:-30}"
[ $# -gt 0 ] && shift
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=(interval conversions nick store)

source scripts/ensure-packages.sh
ensure_packages build fuzz

build_dir="${QUILLMARK_FUZZ_DIR:-build-fuzz}"
cmake --preset fuzz -B "$build_dir"
cmake --build "$build_dir" --target "${targets[@]/#/fuzz_}"

export ASAN_OPTIONS=detect_leaks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
mkdir -p "$build_dir/failures" "$build_dir/logs"
# One fuzzer to a processor, each with its own log and exit status.
fuzz_one() {
    local target="$1" status=0
    mkdir -p "$build_dir/corpus/$target"
    "$build_dir/fuzz/fuzz_$target" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
        -artifact_prefix="$build_dir/failures/$target-" \
        "$build_dir/corpus/$target" "fuzz/corpus/$target" >"$build_dir/logs/$target.log" 2>&1 || status=$?
    echo "$status" >"$build_dir/logs/$target.status"
}
running=0
for target in "${targets[@]}"; do
    if [ "$running" -ge "$(nproc)" ]; then
        wait -n
        running=$((running - 1))
    fi
    fuzz_one "$target" &
    running=$((running + 1))
done
wait
failed=()
for target in "${targets[@]}"; do
    log="$build_dir/logs/$target.log"
    status="$(cat "$build_dir/logs/$target.status")"
    runs="$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")"
    if [ "$status" -eq 0 ]; then
        echo "fuzz_$target: ${runs:-?} inputs in ${seconds} s, every property held"
    else
        failed+=("$target")
        echo "fuzz_$target: FAILED after ${runs:-?} inputs (exit $status); the end of $log:"
        tail -n 40 "$log"
    fi
done
echo "Fuzzing took $((SECONDS - started)) s"
[ ${#failed[@]} -eq 0 ] || { echo "Failing fuzz targets: ${failed[*]}" >&2; exit 1; }
