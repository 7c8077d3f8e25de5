#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test through
# ctest. With --sanitize: the same in build-sanitize/ under AddressSanitizer
# and UndefinedBehaviorSanitizer.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/install-deps.sh"
if [ "${1:-}" = "--sanitize" ]; then
  export BUILD_DIR="$root/build-sanitize"
  export LSAN_OPTIONS="suppressions=$root/tests/lsan.supp:print_suppressions=0"
  "$root/scripts/build.sh" -DCORVANE_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug
else
  export BUILD_DIR="${BUILD_DIR:-$root/build}"
  "$root/scripts/build.sh"
fi
ctest --test-dir "$BUILD_DIR" -j "${JOBS:-2}" --output-on-failure
