#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later

# Whole-process figures of the Release program under xvfb-run, on a fresh user data folder and
# with the update check pointed at a closed local port (nothing goes to the network):
#  - start to first paint of the main window, split into the work before the splash is shown and
#    the work from the splash's closing to the first paint (the splash itself stays a second by
#    design); WIRTAL_MEASURE_STARTUP=1 makes the program print those moments and quit;
#  - resident memory (VmRSS of /proc/<pid>/status) at rest, a few seconds after the start.
#   scripts/measure-startup.sh [program folder, default the demo one] [runs, default 5]
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/deps.sh"
# The Release build of scripts/run.sh, unless WIRTAL_RELEASE_DIR names another Release build.
build=${WIRTAL_RELEASE_DIR:-$top/build/release}
if [ -z "${WIRTAL_RELEASE_DIR:-}" ]; then
  cmake -S "$top" -B "$build" -DCMAKE_BUILD_TYPE=Release -DWIRTAL_BUILD_TESTS=OFF \
        -DWIRTAL_BUILD_BENCH=OFF >/dev/null
fi
cmake --build "$build" -j2 --target wirtal programfolder >/dev/null
folder=${1:-$build/programfolder}
runs=${2:-5}
appdata=$(mktemp -d)
trap 'rm -rf "$appdata"' EXIT
mkdir -p "$appdata/Norel" "$appdata/run"
chmod 700 "$appdata/run"
printf '[aktualizacje]\r\nserwer=http://127.0.0.1:9\r\n' >"$appdata/Norel/wirtal.ini"
export APPDATA=$appdata XDG_RUNTIME_DIR=$appdata/run QT_LOGGING_RULES='qt.multimedia*=false'
cd "$folder"
xvfb-run -a -s "-screen 0 1280x1024x24" bash -s "$build/src/wirtal" "$runs" <<'INNER'
program=$1
runs=$2
for i in $(seq "$runs"); do
  start=$(date +%s%3N)
  out=$(WIRTAL_MEASURE_STARTUP=1 "$program")
  at() { echo "$out" | awk -v k="$1" '$2 == k { print $3 }'; }
  shown=$(at splash-shown); closed=$(at splash-closed); painted=$(at main-window-painted)
  echo "run $i: start to first paint $((painted - start)) ms = before the splash" \
       "$((shown - start)) ms + splash $((closed - shown)) ms + after the splash" \
       "$((painted - closed)) ms; without the splash's second: $((painted - start - (closed - shown))) ms"
done
"$program" >/dev/null 2>&1 &
pid=$!
sleep 5
echo "resident memory at rest: $(awk '/^VmRSS/ { printf "%.1f MB", $2 / 1024 }' /proc/$pid/status)"
kill "$pid"
wait "$pid" 2>/dev/null || true
INNER
