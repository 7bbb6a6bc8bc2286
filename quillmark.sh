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

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done

if [ "${#missing[@]}" -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    if [ "$(id -u)" -eq 0 ]; then
        as_root=()
    elif command -v sudo >/dev/null 2>&1; then
        as_root=(sudo)
    else
        echo "These packages are missing and neither root nor sudo is available:" >&2
        echo "  apt-get install ${missing[*]}" >&2
        exit 1
    fi
    "${as_root[@]}" apt-get update
    DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
fi

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
