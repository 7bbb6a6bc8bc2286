#!/usr/bin/env bash
# Installs a built tree into a throwaway prefix, checks that a desktop finds
# what it needs there (menu entry, icon, metadata, all naming each other), and
# starts the installed program headless to see that it stays up.
#   check-install.sh BUILD_DIR APP_ID
set -euo pipefail

build_dir="$1"
app_id="$2"
prefix="$(mktemp -d)"
pid=
cleanup() {
    if [ -n "$pid" ]; then
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    fi
    rm -rf "$prefix"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

cmake --install "$build_dir" --prefix "$prefix" >"$prefix.log" || { cat "$prefix.log"; rm -f "$prefix.log"; fail "cmake --install"; }
rm -f "$prefix.log"

desktop="$prefix/share/applications/$app_id.desktop"
icon="$prefix/share/icons/hicolor/scalable/apps/$app_id.svg"
metainfo="$prefix/share/metainfo/$app_id.metainfo.xml"
docs="$prefix/share/doc/quillmark"
page="$docs/!!!PleaseReadMe!!!.html"
for file in "$desktop" "$icon" "$metainfo" "$docs/copyright" "$docs/changelog.gz" "$page"; do
    [ -f "$file" ] || fail "not installed: ${file#"$prefix"/}"
    echo "installed: ${file#"$prefix"/}"
done
# The icon in every size a panel or menu may ask for, drawn at that size.
for size in 16 24 32 48 64 128 256; do
    png="$prefix/share/icons/hicolor/${size}x$size/apps/$app_id.png"
    file -b "$png" | grep -q "^PNG image data, $size x $size," || fail "no ${size}x$size PNG icon: $(file -b "$png")"
done
echo "installed: the icon as PNG in 16 to 256 pixels"
# The help page shows every picture it names; the developer's README is no
# user's documentation.
pictures="$(grep -o '<img [^>]*src="[^"]*"' "$page" | sed 's/.*src="//; s/"$//')"
[ "$(echo "$pictures" | wc -l)" -eq 4 ] || fail "the help page names these pictures: $pictures"
for picture in $pictures; do
    [ -f "$docs/$picture" ] || fail "the help page's picture $picture is not installed"
done
[ ! -e "$docs/README.md" ] || fail "the developer's README is installed"

# The menu entry must start a program the install put in bin, show the icon
# installed beside it, and be the entry the metadata launches.
entry_value() { sed -n "s/^$1=//p" "$desktop" | head -n 1; }
program="$(entry_value Exec | cut -d' ' -f1)"
[ -x "$prefix/bin/$program" ] || fail "Exec=$program is not an installed program"
[ "$(entry_value Icon)" = "$app_id" ] || fail "Icon=$(entry_value Icon), the installed icon is $app_id"
grep -q "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$metainfo" ||
    fail "the metadata does not launch $app_id.desktop"
grep -q "<binary>$program</binary>" "$metainfo" || fail "the metadata does not provide $program"

# Started from the installed copy, far from the build tree, it must come up
# and keep running until it is closed.
output="$prefix/output.txt"
(cd / && exec "$prefix/bin/$program") >"$output" 2>&1 &
pid=$!
sleep 2
if ! kill -0 "$pid" 2>/dev/null; then
    status=0
    wait "$pid" || status=$?
    pid=
    cat "$output"
    fail "the installed $program exited within 2 s (status $status)"
fi
echo "started: bin/$program (pid $pid) is running after 2 s"
if [ -s "$output" ]; then
    echo "its output:"
    cat "$output"
fi
