#!/usr/bin/env bash
# Sets up a Debian 12 machine for Quillmark, builds it, and then runs the
# program or the test suite:
#   ./quillmark.sh run     install what is missing, build, start the program
#   ./quillmark.sh test    install what is missing, build, run every test headless
set -euo pipefail

cd "$(dirname "${BASH_SOURCE[0]}")"
mode="${1:-run}"

packages=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-svg-dev libqt6svg6
    fonts-dejavu-core fonts-comic-neue fonts-wine
    xvfb xauth
)

source scripts/ensure-packages.sh
ensure_packages "${packages[@]}"

build_dir=build
werror=OFF
[ "${CI:-}" = "true" ] && werror=ON
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILLMARK_WERROR="$werror"
cmake --build "$build_dir"

case "$mode" in
    run)
        exec "$build_dir/quillmark"
        ;;
    test)
        QT_QPA_PLATFORM=offscreen ctest --test-dir "$build_dir" --output-on-failure
        ;;
    *)
        echo "usage: $0 run|test" >&2
        exit 2
        ;;
esac
