#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later

# Builds everything with warnings as errors and runs every test.
#   scripts/test.sh             the normal build (build/test)
#   scripts/test.sh --sanitize  the same under AddressSanitizer and UBSan (build/asan)
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/deps.sh"
dir="$top/build/test"
opts=(-DCMAKE_BUILD_TYPE=Debug -DWIRTAL_WERROR=ON)
if [ "${1:-}" = "--sanitize" ]; then
  dir="$top/build/asan"
  opts+=(-DWIRTAL_SANITIZE=ON -DWIRTAL_BUILD_BENCH=OFF)
  export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
  export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
fi
cmake -S "$top" -B "$dir" "${opts[@]}" >/dev/null
cmake --build "$dir" -j"$(nproc)"
cd "$dir"
ctest --output-on-failure -j"$(nproc)"
