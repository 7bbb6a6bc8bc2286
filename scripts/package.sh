#!/usr/bin/env bash
# Builds the Debian package into build/ (set-up and build as ./quillmark.sh
# does), then shows its control data and contents:
#   scripts/package.sh
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

source scripts/ensure-packages.sh
ensure_packages build package
./quillmark.sh build
(cd build && cpack -G DEB)

package="$(ls -t build/quillmark_*.deb | head -n 1)"
echo
echo "== dpkg -I $package"
dpkg -I "$package"
echo
echo "== dpkg -c $package"
dpkg -c "$package"
echo
# Debian's own checks of the package: no error and no warning may stand.
echo "== lintian $package"
lintian --fail-on error,warning "$package"
