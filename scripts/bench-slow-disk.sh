#!/usr/bin/env bash
# Saves the list to a slow disk while the timer runs at 1 ms and prints the
# event loop's longest stall, then cancels a second save half way and prints
# how long the Cancel took (docs/PERFORMANCE.md). Needs root: it makes a
# 1 GiB ext4 file system on a loop device, limits writes to it to 30 MB/s
# with the blkio cgroup's throttle (as a USB stick writes), runs the save
# benchmark of `bench.sh` there, and takes it all down again.
#   sudo scripts/bench-slow-disk.sh [entries]     default 10 M (80 MB)
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
entries="${1:-10000000}"
build_dir="${QUILLMARK_BENCH_DIR:-build-bench}"
throttle=/sys/fs/cgroup/blkio/blkio.throttle.write_bps_device
[ -w "$throttle" ] || { echo "needs root and the cgroup v1 blkio throttle ($throttle)" >&2; exit 77; }

mkdir -p "$build_dir"
work="$(mktemp -d "$PWD/$build_dir/slow-disk-XXXXXX")"
loop=
cleanup() {
    mountpoint -q "$work/mnt" && umount "$work/mnt"
    [ -n "$loop" ] && echo "$(cat "/sys/block/${loop#/dev/}/dev") 0" >"$throttle" && losetup -d "$loop"
    rm -rf "$work"
}
trap cleanup EXIT
truncate -s 1G "$work/disk.img"
loop="$(losetup -f --show "$work/disk.img")"
mkfs.ext4 -q "$loop"
mkdir "$work/mnt"
mount "$loop" "$work/mnt"
echo "$(cat "/sys/block/${loop#/dev/}/dev") $((30 * 1000 * 1000))" >"$throttle"

QUILLMARK_SLOW_DISK="$work/mnt" QUILLMARK_SLOW_ENTRIES="$entries" \
    scripts/bench.sh --benchmark_filter='^save_slow_disk'
