#!/usr/bin/env bash
# The earthing system solver on the two benchmark systems, each solved and its surface
# searched for the worst touch and step, timed stage by stage and as a whole process:
#   A: 70 m x 70 m, 6 x 6 conductors, 20 rods of 7.5 m on the edge, 300 over 100 ohm m
#      (h 6.096 m), a 0.5 m raster of the grid's area: at most 1 s;
#   B: 200 m x 200 m, 21 x 21 conductors, 40 rods, the same soil, a 1 m raster: at most 10 s.
#   C: 300 m x 300 m, 31 x 31, 40 rods, 1 m segments and raster: at most 20 s and 3 GB;
#   D: 1 km x 1 km, 101 x 101, 100 rods, 2 m segments and raster: at most 5 min and 12 GB.
# Then how each stage grows with size, dense and compressed: grids of 10 m meshes with a
# rod every 20 m of edge.
# Each figure is the median of the runs, taken when the machine is quiet.
#   bench/system.sh [runs]
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
runs=${1:-5}
build=build-bench-system

cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" --parallel 2 --target bench_system tav-calc >/dev/null
bench=$PWD/$build/bin/bench_system
calc=$PWD/$build/bin/tav-calc
documents=$(mktemp -d)
trap 'rm -rf "$documents"' EXIT

# The two systems as tav-calc system reads them, for the whole process.
. bench/documents.sh
writeDocuments "$documents"

# Other work on the machine skews the figures: wait (up to ten minutes) for a second in
# which the cores are at least 85 % idle, counting the time a virtual machine's cores
# were taken by others (steal) as busy.
busy() { # percent of the cores busy over one second
    local a b
    a=($(head -1 /proc/stat))
    sleep 1
    b=($(head -1 /proc/stat))
    local idle=$((b[4] + b[5] - a[4] - a[5])) total=0
    for k in 1 2 3 4 5 6 7 8; do total=$((total + b[k] - a[k])); done
    echo $((total > 0 ? 100 * (total - idle) / total : 0))
}
quiet() {
    for ((i = 0; i < 120; ++i)); do
        [ "$(busy)" -lt 15 ] && return 0
        sleep 4
    done
    echo "(the machine stayed busy: $(busy) % of the cores)" >&2
}

# case -> runs lines of: the whole process of tav-calc system in ms (bench_system's own
# when there is no document for the case), then bench_system's tab-separated line.
measure() {
    local start end line process
    for ((r = 0; r < runs; ++r)); do
        quiet
        start=$(date +%s%N)
        line=$("$bench" "$@" --tsv)
        end=$(date +%s%N)
        process=$(((end - start) / 1000000))
        if [ -f "$documents/$1.json" ]; then
            quiet
            start=$(date +%s%N)
            "$calc" system --input "$documents/$1.json" --format json >/dev/null
            end=$(date +%s%N)
            process=$(((end - start) / 1000000))
        fi
        printf '%s\t%s\n' "$process" "$line"
    done
}

report() { # title, target seconds, yardstick text, case...
    local title=$1 target=$2 yardstick=$3
    shift 3
    measure "$@" | python3 -c '
import statistics, sys
title, target, yardstick = sys.argv[1], float(sys.argv[2]), sys.argv[3]
rows = [line.split("\t") for line in sys.stdin.read().split("\n") if line]
med = lambda k: statistics.median(float(r[k]) for r in rows)
process = med(0) / 1000
print(f"{title}")
print(f"  segments {rows[0][1]}, image terms {rows[0][2]}, raster points {rows[0][3]}, "
      f"conjugate gradient iterations {rows[0][4]}")
print(f"  R {float(rows[0][11]):.6f} ohm, worst touch {float(rows[0][12]):.2f} V per the benchmark current")
print(f"  build: tables {med(5):.3f} s, matrix {med(6):.3f} s; solution {med(7):.3f} s; "
      f"evaluate: surface {med(8):.3f} s, search {med(9):.3f} s")
open(sys.argv[4], "w").write(f"{process}")
verdict = "met" if process <= target else "MISSED"
fastest = min(float(r[0]) for r in rows) / 1000
print(f"  whole process (tav-calc system, document to JSON) {process:.3f} s (median of "
      f"{len(rows)}, fastest {fastest:.3f} s); target {target:g} s: {verdict}")
print(f"  yardstick: {yardstick}")
' "$title" "$target" "$yardstick"
}

echo "bench/system.sh on $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | xargs)"
report "A: 70 m grid, 6 x 6, 20 rods, two layers, 0.5 m raster" 1 \
    "a plain NumPy moment method about 17 s here; the best free tool about 0.5 s for the solve alone" \
    bench-70
twoA=$(cat "$documents/median")
report "B: 200 m grid, 21 x 21, 40 rods, two layers, 1 m raster" 10 \
    "the best free tool about 35 s" bench-200
twoB=$(cat "$documents/median")

# The same systems in three layers, 300 / 100 / 600 ohm m (2 m, 8 m), the rods crossing
# both interfaces: within twice the two-layer run just measured.
report "A in three layers" "$(python3 -c "print(2 * $twoA)")" "A in two layers, $twoA s" \
    bench-70-layers
report "B in three layers" "$(python3 -c "print(2 * $twoB)")" "B in two layers, $twoB s" \
    bench-200-layers

echo
echo "Cancel on B, asked for at a time in each stage:"
for at in 0.02 0.2 1.0 2.5 3.6; do
    quiet
    "$bench" bench-200 --cancel-at "$at"
done

# The whole process of tav-calc system on a document: wall seconds and peak resident MB.
whole() { # document
    python3 - "$calc" "$1" <<'PY'
import resource, subprocess, sys, time
start = time.monotonic()
subprocess.run([sys.argv[1], "system", "--input", sys.argv[2], "--format", "json"],
               stdout=subprocess.DEVNULL, check=True)
seconds = time.monotonic() - start
print(f"{seconds:.3f}\t{resource.getrusage(resource.RUSAGE_CHILDREN).ru_maxrss / 1024:.0f}")
PY
}

# A large system, once (each takes seconds to minutes): the whole process against its
# targets, its stages, and the dense operator beside it where it fits in memory.
large() { # title, target seconds, target MB, case, dense (yes or no), bench options...
    local title=$1 seconds=$2 megabytes=$3 name=$4 dense=$5
    shift 5
    quiet
    local process compressed plain=""
    process=$(whole "$documents/$name.json")
    quiet
    compressed=$("$bench" "$name" "$@" --tsv)
    if [ "$dense" = yes ]; then
        quiet
        plain=$("$bench" "$name" "$@" --compressed-from 1000000000 --tsv)
    fi
    python3 - "$title" "$seconds" "$megabytes" "$process" "$compressed" "$plain" <<'PY'
import sys
title, seconds, megabytes, process, compressed, plain = sys.argv[1:7]
wall, peak = map(float, process.split("\t"))
c = compressed.split("\t")
verdict = "met" if wall <= float(seconds) and peak <= float(megabytes) else "MISSED"
print(title)
print(f"  segments {c[0]}, raster points {c[2]}, conjugate gradient iterations {c[3]}")
print(f"  whole process (tav-calc system) {wall:.1f} s, peak {peak:.0f} MB; "
      f"target {seconds} s and {megabytes} MB: {verdict}")
def stages(label, f):
    print(f"  {label}: tables {float(f[4]):.2f} s, matrix {float(f[5]):.2f} s, solution "
          f"{float(f[6]):.2f} s, surface {float(f[7]):.2f} s, search {float(f[8]):.2f} s; "
          f"solve {float(f[9]):.2f} s, peak {float(f[12]):.0f} MB (estimated {float(f[13]):.0f} MB); "
          f"R {float(f[10]):.9f} ohm")
stages("compressed", c)
if plain:
    stages("dense     ", plain.split("\t"))
else:
    n = float(c[0])
    print(f"  dense: not run, its matrix alone would take {8 * n * n / 1e9:.0f} GB")
PY
}

echo
echo "Large systems, each once:"
large "C: 300 m grid, 31 x 31, 40 rods, two layers, 1 m segments and raster" 20 3000 bench-300 yes
large "D: 1 km grid, 101 x 101, 100 rods, two layers, 2 m segments and raster" 300 12000 \
    bench-1000 no

echo
echo "Cancel on D, asked for at a time in each stage:"
for at in 0.5 5 12 20 28; do
    quiet
    "$bench" bench-1000 --cancel-at "$at"
done

# How each stage grows with the segments (grids of 10 m meshes, a rod every 20 m of edge,
# 1 m segments and raster), once each, the dense operator up to 23 000 segments; then the
# exponent b of each stage's time ~ segments^b, fitted by least squares in logarithms.
echo
echo "Growth with size, once each:"
growth=$(mktemp)
printf '%10s %8s %9s %8s %8s %8s %9s %6s %8s %8s %8s %8s\n' operator conductors segments raster \
    tables matrix solution iter surface search solve peakMB
for count in 8 11 16 21 31 46 71; do
    for operator in dense compressed; do
        [ "$operator" = dense ] && [ "$count" -gt 31 ] && continue
        options=()
        [ "$operator" = dense ] && options=(--compressed-from 1000000000)
        [ "$operator" = compressed ] && options=(--compressed-from 1)
        quiet
        line=$("$bench" "size-$count" "${options[@]}" --tsv)
        printf '%s\t%s\n' "$operator" "$line" >>"$growth"
        printf '%s\n' "$line" | python3 -c '
import sys
f = sys.stdin.read().split("\t")
size = sys.argv[2] + " x " + sys.argv[2]
print(f"{sys.argv[1]:>10} {size:>8} {f[0]:>9} {f[2]:>8} {float(f[4]):8.3f} {float(f[5]):8.3f} "
      f"{float(f[6]):9.3f} {f[3]:>6} {float(f[7]):8.3f} {float(f[8]):8.3f} {float(f[9]):8.3f} "
      f"{float(f[12]):8.0f}")
' "$operator" "$count"
    done
done
python3 - "$growth" <<'PY'
import math, sys
rows = [line.rstrip("\n").split("\t") for line in open(sys.argv[1]) if line.strip()]
stages = {"matrix": 6, "solution": 7, "surface": 8, "search": 9, "solve": 10, "peak memory": 13}
for operator in ("dense", "compressed"):
    mine = [r for r in rows if r[0] == operator]
    x = [math.log(float(r[1])) for r in mine]
    fits = []
    for name, k in stages.items():
        y = [math.log(max(float(r[k]), 1e-4)) for r in mine]
        mx, my = sum(x) / len(x), sum(y) / len(y)
        b = sum((a - mx) * (c - my) for a, c in zip(x, y)) / sum((a - mx) ** 2 for a in x)
        fits.append(f"{name} {b:.2f}")
    print(f"  {operator}: exponent of segments for " + ", ".join(fits))
PY
rm -f "$growth"
