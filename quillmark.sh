#!/usr/bin/env bash
# Sets up a Debian 12 machine for Quillmark, builds it, and then runs the
# program or the test suite:
#   ./quillmark.sh run     install what building and running need, build, start the program
#   ./quillmark.sh test    that and the test tools, build everything, run every test headless
#   ./quillmark.sh build   install what building needs, build (scripts/package.sh uses it)
# All three share one build folder with one configuration, so that none of
# them undoes what another built.
set -euo pipefail

cd "$(dirname "${BASH_SOURCE[0]}")"
mode="${1:-run}"
case "$mode" in
    run | build) groups=(build) ;;
    test) groups=(build test) ;;
    *)
        echo "usage: $0 run|test|build" >&2
        exit 2
        ;;
esac

source scripts/ensure-packages.sh
ensure_packages "${groups[@]}"

build_dir=build
werror=OFF
[ "${CI:-}" = "true" ] && werror=ON
# The configuration is CMakePresets.json's "default"; it builds the
# benchmarks where Google Benchmark is installed (the test run installs it and
# runs each benchmark once as a smoke check). Each target is compiled as one
# unit (a unity build), which takes about half the time; the benchmark and
# fuzzing builds still compile file by file, so a missing #include shows there.
cmake --preset default -B "$build_dir" -DQUILLMARK_WERROR="$werror"
if [ "$mode" = run ]; then
    cmake --build "$build_dir" --target quillmark
else
    cmake --build "$build_dir"
fi

case "$mode" in
    run)
        exec "$build_dir/quillmark"
        ;;
    test)
        # The tests run side by side, each in folders of its own.
        QT_QPA_PLATFORM=offscreen ctest --test-dir "$build_dir" --output-on-failure -j "$(nproc)"
        ;;
esac
