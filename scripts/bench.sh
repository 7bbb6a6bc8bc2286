#!/usr/bin/env bash
# Builds the benchmarks in their own Release build, runs them all and prints
# one table of figures against the targets (docs/PERFORMANCE.md explains it):
#   ./scripts/bench.sh                 the full run, a few minutes
#   ./scripts/bench.sh --smoke         each benchmark once at a small size
# Other arguments go to Google Benchmark (e.g. --benchmark_filter=save).
# QUILLMARK_BENCH_DIR chooses the build folder (default build-bench); the
# save benchmarks write their files there, so it decides the disk measured.
set -euo pipefail

cd "$(dirname "${BASH_SOURCE[0]}")/.."
source scripts/ensure-packages.sh
ensure_packages build bench

build_dir="${QUILLMARK_BENCH_DIR:-build-bench}"
cmake --preset bench -B "$build_dir" >/dev/null
cmake --build "$build_dir" --target quillmark-bench

cd "$build_dir"
QT_QPA_PLATFORM=offscreen ./bench/quillmark-bench --benchmark_out=bench-results.json "$@"
