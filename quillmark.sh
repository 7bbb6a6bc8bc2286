#!/usr/bin/env bash
# Sets up a Debian 12 machine for Quillmark, builds it, and then runs the
# program or the test suite:
#   ./quillmark.sh run     install what is missing, build, start the program
#   ./quillmark.sh test    install what is missing, build, run every test headless
#   ./quillmark.sh build   install what is missing, build (scripts/package.sh uses it)
set -euo pipefail

cd "$(dirname "${BASH_SOURCE[0]}")"
mode="${1:-run}"

packages=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-svg-dev libqt6svg6
    fonts-dejavu-core fonts-comic-neue fonts-wine
    xvfb xauth openbox xdotool
    qt6-translations-l10n
    dbus at-spi2-core python3-pyatspi gir1.2-atspi-2.0 orca
    libbenchmark-dev
    desktop-file-utils appstream dpkg-dev file
    strace bindfs fuse3
)

source scripts/ensure-packages.sh
ensure_packages "${packages[@]}"

build_dir=build
werror=OFF
[ "${CI:-}" = "true" ] && werror=ON
# The test run also builds the benchmarks and runs each once as a smoke check.
bench=OFF
[ "$mode" = test ] && bench=ON
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILLMARK_WERROR="$werror" \
    -DQUILLMARK_BUILD_BENCH="$bench"
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
        QT_QPA_PLATFORM=offscreen ctest --test-dir "$build_dir" --output-on-failure
        ;;
    build)
        ;;
    *)
        echo "usage: $0 run|test|build" >&2
        exit 2
        ;;
esac
