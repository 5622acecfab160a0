#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later

# Builds the program and runs it on the program folder given as the first argument, or on the
# demo program folder that the build makes from data/ (build/release/programfolder).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/deps.sh"
cmake -S "$top" -B "$top/build/release" -DCMAKE_BUILD_TYPE=Release -DWIRTAL_BUILD_TESTS=OFF \
      -DWIRTAL_BUILD_BENCH=OFF >/dev/null
cmake --build "$top/build/release" -j"$(nproc)"
folder=${1:-$top/build/release/programfolder}
cd "$folder"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display: starting the program under xvfb-run." >&2
  exec xvfb-run -a "$top/build/release/src/wirtal"
fi
exec "$top/build/release/src/wirtal"
