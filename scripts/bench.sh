#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later

# Every benchmark and the whole-process figures in one run, printed as one table: figure,
# budget, the bare floor measured in the same run, the ratio to it, held or missed.
#  - Google Benchmark programs (bench/): bank lookup at 1x, 10x and 100x beside a bare read and
#    decode of the bank file, an imported category B, whole exams on the manual clock with the
#    decoded lines kept and read anew, a question with its 480 x 360 picture shown, the answer
#    history and the progress page over a year of answers and over a tenth of it;
#  - under xvfb-run: the splash mapped and the main window painted (WIRTAL_MEASURE_STARTUP=1)
#    beside a bare Qt window, the memory of the whole program at rest (every process: PSS and RSS
#    summed over the program and its children) and its CPU beside the same bare window, and the
#    films (bench/film_memory with the film helper): a cold start of the first film (no helper
#    running) to its first frame on screen, the question before a film (the helper starts there,
#    as in the program), the window held by the film, and the memory of all processes while it
#    plays and after it, beside a bare Qt Multimedia window playing the same film (the floor's
#    "held" is the time until play() returns: it does not wait for the film to load, the program
#    does);
#  - the peak memory of importing hostile sheet shapes (bench/import_shapes: sparse, wide, tall,
#    many shared strings), each import in a process of its own;
#  - with WIRTAL_CATALOGUE=CATALOGUE.xlsx (the official sample): the catalogue imported with its
#    media as one zip of dummy files for its names (bench/media_zip): time, peak memory, and the
#    archive read in the import beside `cat ZIP > /dev/null` on the same file.
# The machine may be shared: the rounds interleave every program, and each figure is the median
# of its rounds. Nothing here fails on a time; a missed budget is reported, not an error.
#   scripts/bench.sh [rounds, default 3]
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
rounds=${1:-3}
build=${WIRTAL_BENCH_DIR:-$top/build/bench}
cmake -S "$top" -B "$build" -DCMAKE_BUILD_TYPE=Release -DWIRTAL_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" -j2 >/dev/null
b=$build/bench
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
mkdir -p "$out/Norel" "$out/run"
chmod 700 "$out/run"
printf '[aktualizacje]\r\nserwer=http://127.0.0.1:9\r\n' >"$out/Norel/wirtal.ini"
export APPDATA=$out XDG_RUNTIME_DIR=$out/run QT_LOGGING_RULES='qt.multimedia*=false'
folder=$build/programfolder
film=$(find "$folder" -iname '*.wmv' | sort | head -n 1)

for r in $(seq "$rounds"); do
  echo "round $r of $rounds" >&2
  for p in bank exam catalogue show history; do
    QT_QPA_PLATFORM=offscreen "$b/bench_$p" --benchmark_min_time=0.3 \
      --benchmark_format=json --benchmark_out="$out/$p.$r.json" >/dev/null
  done
  "$b/bench_import_shapes" | awk '$3 == "MB" && $4 == "peak" { print "shape-" $1, $2 }' \
    >"$out/shapes.$r.txt"
  if [ -n "${WIRTAL_CATALOGUE:-}" ]; then
    "$b/bench_media_zip" "$WIRTAL_CATALOGUE" 2>/dev/null | grep '^media-zip-' >>"$out/shapes.$r.txt"
  fi
done

(cd "$folder" && xvfb-run -a -s "-screen 0 1280x1024x24" bash -s "$build/src/wirtal" "$b" \
  "$rounds" "$folder" "$film" >"$out/process.txt" 2>/dev/null) <<'INNER'
program=$1; b=$2; rounds=$3; folder=$4; film=$5
# PSS and RSS in MB summed over a process and every process below it, and how many there are.
tree_mem() {
  local all=$1 todo=$1 p c
  while [ -n "$todo" ]; do
    set -- $todo
    todo=""
    for p; do
      for c in $(pgrep -P "$p"); do all="$all $c"; todo="$todo $c"; done
    done
  done
  for p in $all; do cat "/proc/$p/smaps_rollup" 2>/dev/null; done |
    awk -v n="$(echo $all | wc -w)" '/^Pss:/ { pss += $2 } /^Rss:/ { rss += $2 }
      END { printf "%.1f %.1f %d", pss / 1024, rss / 1024, n }'
}
mem() { # film_memory's "...: P MB PSS, R MB RSS, n processes" as "<key>-pss P", "<key>-rss R"
  awk -v k="$1" '{ for (i = 1; i < NF; i++) {
    if ($(i + 1) == "MB" && $(i + 2) ~ /^PSS/) print k "-pss", $i
    if ($(i + 1) == "MB" && $(i + 2) ~ /^RSS/) print k "-rss", $i
    if ($(i + 1) ~ /^processes/) print k "-procs", $i } }'
}
for r in $(seq "$rounds"); do
  start=$(date +%s%3N)
  floor=$("$b/floor_window" window)
  echo "floor-mapped $(( $(echo "$floor" | awk '$1 == "mapped" { print $2 }') - start ))"
  echo "$floor" | awk '$1 == "rss" { print "floor-rss", $2 } $1 == "pss" { print "floor-pss", $2 }
                       $1 == "cpu" { print "floor-cpu", $2 }'
  start=$(date +%s%3N)
  o=$(WIRTAL_MEASURE_STARTUP=1 "$program")
  at() { echo "$o" | awk -v k="$1" '$2 == k { print $3 }'; }
  echo "splash-mapped $(( $(at splash-shown) - start ))"
  echo "after-splash $(( $(at main-window-painted) - $(at splash-closed) ))"
  "$program" >/dev/null 2>&1 &
  pid=$!
  sleep 5
  tree_mem "$pid" | awk '{ print "pss", $1; print "rss", $2; print "procs", $3 }'
  t0=$(awk '{ print $14 + $15 }' /proc/$pid/stat)
  sleep 5
  t1=$(awk '{ print $14 + $15 }' /proc/$pid/stat)
  echo "cpu $(awk -v a="$t0" -v b="$t1" -v hz="$(getconf CLK_TCK)" 'BEGIN { printf "%.2f", (b - a) / hz / 5 * 100 }')"
  kill "$pid"; wait "$pid" 2>/dev/null || true
  if [ -n "$film" ]; then
    "$b/floor_window" film "$film" | awk '{ print "floor-film-" $1, $2 }'
    "$b/film_memory" "$folder" 402 process | awk '
      /^cold start/ { print "film-cold", $(NF-1) }'
    fm=$("$b/film_memory" "$folder" 402 warm process)
    echo "$fm" | awk '
      /film near\), window held/ { print "film-near-held", $(NF-1) }
      /first film shown/ { print "film-freeze", $(NF-1) }'
    echo "$fm" | grep '^memory at rest' | mem film-rest
    echo "$fm" | grep '^memory on the question before' | mem film-near
    echo "$fm" | grep '^memory while a film plays' | mem film-playing
    echo "$fm" | grep '^memory after the film:' | mem film-after
    echo "$fm" | grep '^memory after the film helper ended' | mem film-ended
  fi
done
INNER

python3 - "$out" "$rounds" <<'PY'
import json, statistics, sys
out, rounds = sys.argv[1], int(sys.argv[2])
bench = {}
for p in ("bank", "exam", "catalogue", "show", "history"):
    for r in range(1, rounds + 1):
        for x in json.load(open(f"{out}/{p}.{r}.json"))["benchmarks"]:
            unit = {"ns": 1e-3, "us": 1, "ms": 1e3}[x["time_unit"]]
            bench.setdefault(x["name"], []).append(x["real_time"] * unit)  # µs
            if "db_MB" in x:
                bench.setdefault("db_MB", []).append(x["db_MB"])
proc = {}
for line in [l for r in range(1, rounds + 1) for l in open(f"{out}/shapes.{r}.txt")] + \
        list(open(f"{out}/process.txt")):
    k, _, v = line.strip().partition(" ")
    try:
        proc.setdefault(k, []).append(float(v))
    except ValueError:
        pass
def b(name): return statistics.median(bench[name]) if name in bench else None
def p(name): return statistics.median(proc[name]) if name in proc else None
rows = []
def row(figure, value, unit, budget, limit, floor=None, floor_name=""):
    ratio = value / floor if value is not None and floor else None
    held = "-" if value is None or limit is None else ("held" if value <= limit else "missed")
    rows.append((figure, "-" if value is None else f"{value:.{3 if value < 10 else 1}f} {unit}",
                 budget, "-" if floor is None else f"{floor:.{3 if floor < 10 else 1}f} {unit} {floor_name}",
                 "-" if ratio is None else f"{ratio:.2f}x", held))
def lim(*xs): return None if any(x is None for x in xs) else min(xs)
f1, f100 = b("BM_BareReadAndDecode/1"), b("BM_BareReadAndDecode/100")
l1, l100 = b("BM_LookupScaled/scale:1/keep:1"), b("BM_LookupScaled/scale:100/keep:1")
row("lookup, full-size bank", l1, "µs", "3x floor, < 100 µs", lim(3 * f1, 100), f1, "(read+decode)")
row("lookup, bank 10x", b("BM_LookupScaled/scale:10/keep:1"), "µs", "3x floor",
    3 * b("BM_BareReadAndDecode/10"), b("BM_BareReadAndDecode/10"), "(read+decode)")
row("lookup, bank 100x", l100, "µs", "3x floor", 3 * f100, f100, "(read+decode)")
row("lookup 100x / 1x (growth)", l100 / l1, "x", "<= 100 (linear)", 100)
row("lookup, read anew (before)", b("BM_LookupScaled/scale:1/keep:0"), "µs", "-", None, f1, "(read+decode)")
fc = b("BM_CatalogueBareReadAndDecode")
row("lookup, imported B (2,167 q.)", b("BM_CatalogueLookup/2167"), "µs", "3x floor, < 100 µs",
    lim(3 * fc, 100) if fc else 100, fc, "(read+decode)")
before = b("BM_WholeExamAnsweredWithDalej/keep:0")
row("whole exam, manual clock", b("BM_WholeExamAnsweredWithDalej/keep:1") / 1e3, "ms", "< 20 ms",
    20, before / 1e3, "(read anew)")
row("whole exam, imported B", b("BM_CatalogueWholeExamAnsweredWithDalej/keep:1") / 1e3, "ms",
    "< 20 ms", 20, b("BM_CatalogueWholeExamAnsweredWithDalej/keep:0") / 1e3, "(read anew)")
row("question + 480x360 picture shown", b("BM_ShowQuestionWithPicture") / 1e3, "ms",
    "< 16 ms (one frame)", 16, b("BM_DecodePicture") / 1e3, "(decode alone)")
row("answer recorded in the history", b("BM_RecordAnswer"), "µs", "< 1 ms (GUI thread)", 1000)
ps, pp = b("BM_ProgressSummaryYear"), b("BM_ProgressPageOpenYear")
row("progress page opened, 100,000 answers", pp / 1e3, "ms", "< 50 ms", 50,
    ps / 1e3 if ps else None, "(summary alone)")
row("progress page / its summary", pp / ps if pp and ps else None, "x", "<= 2x summary", 2)
pt = b("BM_ProgressPageOpenTenthOfYear")
row("progress page, 100,000 / 10,000 answers", pp / pt if pp and pt else None, "x",
    "<= 1.25 (flat)", 1.25)
row("history database after a year", b("db_MB"), "MB", "a few MB (< 10)", 10)
fm = p("floor-mapped")
row("splash mapped after start", p("splash-mapped"), "ms", "2x floor",
    2 * fm if fm else None, fm, "(bare Qt window)")
row("main window painted after splash", p("after-splash"), "ms", "< 300 ms", 300)
row("whole program at rest, all processes (PSS)", p("pss"), "MB", "< 25 MB", 25, p("floor-pss"),
    "(bare Qt window)")
row("whole program at rest, all processes (RSS)", p("rss"), "MB", "< 80 MB", 80, p("floor-rss"),
    "(bare Qt window)")
row("processes at rest (no film near)", p("procs"), "", "1", 1)
row("CPU at rest", p("cpu"), "%", "< 1 %", 1, p("floor-cpu"), "(bare Qt window)")
ffz, fff = p("floor-film-freeze"), p("floor-film-first-frame")
fscreen = ffz + fff if ffz is not None and fff is not None else None
row("first film, cold start: on screen", p("film-cold"), "ms", "< floor", fscreen, fscreen,
    "(bare Qt Multimedia, play to frame)")
row("film near (helper starts): window held", p("film-near-held"), "ms", "< 16 ms (one frame)", 16)
row("first film, helper ready: window held", p("film-freeze"), "ms", "1.5x floor",
    1.5 * ffz if ffz else None, ffz, "(bare Qt Multimedia)")
fr, fp = p("floor-film-rss-film"), p("floor-film-pss-film")
row("memory while a film plays (PSS, all)", p("film-playing-pss"), "MB", "1.5x floor",
    1.5 * fp if fp else None, fp, "(bare Qt Multimedia)")
row("memory while a film plays (RSS, all)", p("film-playing-rss"), "MB", "1.5x floor",
    1.5 * fr if fr else None, fr, "(bare Qt Multimedia)")
rest = p("film-rest-pss")
row("after the film, helper in its idle minute (PSS)", p("film-after-pss"), "MB", "1.5x at rest",
    1.5 * rest if rest else None, rest, "(at rest before)")
row("after the film, helper ended (PSS)", p("film-ended-pss"), "MB", "1.5x at rest",
    1.5 * rest if rest else None, rest, "(at rest before)")
for shape, what in (("sparse", "199,999 rows x 1 cell at column 512"),
                    ("wide", "4,500 rows x 512 cells"), ("tall", "100,000 rows x 14 cells"),
                    ("strings", "1.5 million shared strings")):
    row(f"import peak, {shape}: {what}", p(f"shape-{shape}"), "MB", "< 300 MB", 300)
row("import, catalogue + one media zip (a dummy file a name)", p("media-zip-import-ms"), "ms",
    "< 10 s", 10000)
row("import, catalogue + one media zip: peak memory", p("media-zip-peak-mb"), "MB", "< 300 MB",
    300)
zc, zr = p("media-zip-cat-mbps"), p("media-zip-read-mbps")
row("media zip read as the import reads it (4 MB members)", zr, "MB/s", ">= 0.5x floor", None,
    zc, "(cat ZIP > /dev/null)")
if zr is not None and zc:
    rows[-1] = rows[-1][:5] + ("held" if zr >= 0.5 * zc else "missed",)
zy, zp = p("media-zip-copy-mbps"), p("media-zip-place-mbps")
row("media zip read and placed in a folder", zp, "MB/s", "- (the disk's writing)", None, zy,
    "(cat ZIP > FILE)")
head = ("figure", "measured", "budget", "floor, same run", "ratio", "")
w = [max(len(str(r[i])) for r in rows + [head]) for i in range(6)]
for r in [head] + rows:
    print("  ".join(str(c).ljust(w[i]) for i, c in enumerate(r)).rstrip())
PY
