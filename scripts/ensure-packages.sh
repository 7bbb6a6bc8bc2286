#!/usr/bin/env bash
# Every Debian package the project uses, in groups, and the one routine that
# installs those of them that are missing, with apt-get as root or through
# sudo. Sourced or run; it takes group names:
#   scripts/ensure-packages.sh build test
set -euo pipefail

# Building and running the program: compiler, Qt, Qt's translation tools
# (lupdate, lrelease and their CMake functions), the fonts its windows are
# drawn in, Qt's own texts in other languages than English; the help page's
# Markdown, the icon's sizes drawn from its SVG, and the flags Debian builds
# its packages with (dpkg-buildflags).
packages_build=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-svg-dev libqt6svg6
    qt6-tools-dev qt6-l10n-tools
    fonts-dejavu-core fonts-comic-neue fonts-wine
    qt6-translations-l10n
    python3-markdown librsvg2-bin dpkg-dev
)
# A virtual X display with a window manager, and a pointer driven from outside.
packages_display=(xvfb openbox xdotool)
# The accessibility bus, a screen reader's Python bindings and the screen reader.
packages_a11y=(dbus at-spi2-core python3-pyatspi gir1.2-atspi-2.0 orca)
packages_bench=(libbenchmark-dev)
# The package and the checks of its menu entry, metadata, hardening
# (hardening-check).
packages_package=(desktop-file-utils appstream file lintian devscripts)
# The save tests' folders: one mounted through FUSE.
packages_faults=(bindfs fuse3)
# clang with its fuzzer and sanitizer runtimes, llvm-symbolizer for stack traces.
packages_fuzz=(clang libclang-rt-14-dev llvm)
# The whole test suite runs every kind of check above but fuzzing.
packages_test=("${packages_display[@]}" "${packages_a11y[@]}" "${packages_bench[@]}" "${packages_package[@]}"
    "${packages_faults[@]}")

ensure_packages() {
    local wanted=() missing=() group package
    for group in "$@"; do
        declare -p "packages_$group" >/dev/null 2>&1 || { echo "no package group '$group'" >&2; return 2; }
        local -n list="packages_$group"
        wanted+=("${list[@]}")
        unset -n list
    done
    for package in "${wanted[@]}"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
            missing+=("$package")
        fi
    done
    [ "${#missing[@]}" -eq 0 ] && return 0

    echo "Installing: ${missing[*]}"
    local as_root=()
    if [ "$(id -u)" -ne 0 ]; then
        if ! command -v sudo >/dev/null 2>&1; then
            echo "These packages are missing and neither root nor sudo is available; as root run:" >&2
            echo "  apt-get install ${missing[*]}" >&2
            return 1
        fi
        as_root=(sudo)
    fi
    "${as_root[@]}" apt-get update
    "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
    ensure_packages "$@"
fi
