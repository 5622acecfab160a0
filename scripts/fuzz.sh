#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later

# Builds the libFuzzer targets (clang, ASan + UBSan) and runs each for a bounded time.
#   scripts/fuzz.sh [seconds per target, default 60] [target ...]
# New inputs go to build/fuzz/work/<target>; the committed seeds in fuzz/corpus/<target> are
# only read. A finding stops the script with the crash input in build/fuzz/findings/<target>/.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
shift || true
"$top/scripts/deps.sh"
dir="$top/build/fuzz"
cmake -S "$top" -B "$dir" -DWIRTAL_FUZZ=ON -DWIRTAL_WERROR=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DCMAKE_CXX_COMPILER=clang++ >/dev/null
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  mapfile -t targets < <(cd "$top/fuzz/corpus" && ls)
fi
cmake --build "$dir" -j2 --target "${targets[@]/#/fuzz_}"
# Qt keeps some allocations for the life of the process; leaks are not what these targets hunt.
export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
for t in "${targets[@]}"; do
  mkdir -p "$dir/work/$t" "$dir/findings/$t"
  log="$dir/findings/$t/last-run.log"
  echo "== $t: $seconds s"
  if ! "$dir/fuzz/fuzz_$t" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
       -print_final_stats=1 -artifact_prefix="$dir/findings/$t/" \
       "$dir/work/$t" "$top/fuzz/corpus/$t" >"$log" 2>&1; then
    tail -n 40 "$log"
    echo "fuzz_$t found a problem; the input is in $dir/findings/$t/" >&2
    exit 1
  fi
  grep -E '^stat::(number_of_executed_units|peak_rss_mb)' "$log" | sed "s/^/  /"
done
