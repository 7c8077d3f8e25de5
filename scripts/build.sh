#!/usr/bin/env bash
# Configures and builds into BUILD_DIR (default build/). Extra arguments go
# to cmake's configure step, e.g. -DCORVANE_SANITIZE=ON.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build_dir="${BUILD_DIR:-$root/build}"
cmake -S "$root" -B "$build_dir" -G Ninja "$@" >/dev/null
cmake --build "$build_dir" -j "${JOBS:-2}"
