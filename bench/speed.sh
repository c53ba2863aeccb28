#!/usr/bin/env bash
# How fast a solve with its surface is, whole process (tav-calc system, document to
# JSON), on the three systems a design search solves most like, each document giving the
# surface potential's map as points on the raster over the grid (the work a peer is
# compared on: R and the potential at those points):
#   Annex H Grid 1: 70 m, 6 x 6 conductors, 140 ohm m, 0.5 m points and raster: at most 0.47 s;
#   a 100 m grid of 11 x 11 conductors in 100 ohm m, 0.5 m: at most 0.47 s;
#   system.sh's B, 200 m, 21 x 21, 40 rods, two layers, 1 m.
# Beside each: one solve in the library and solves per second one after another, and the
# yardstick, the same raster summed by the plainest loop (every node against every
# segment on one core, the closed form of uniform soil), with how far it lies from the
# solver's raster.
#   bench/speed.sh [runs] [another tav-calc, timed in the same runs, paired]
# TAV_BENCH_BUILD names the build to time (a Release build of its own by default).
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
runs=${1:-5}
other=${2:-}
build=${TAV_BENCH_BUILD:-build-bench-system}

if [ -z "${TAV_BENCH_BUILD:-}" ]; then
    cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
fi
cmake --build "$build" --parallel 2 --target bench_system tav-calc >/dev/null
bench=$PWD/$build/bin/bench_system
calc=$PWD/$build/bin/tav-calc
documents=$(mktemp -d)
trap 'rm -rf "$documents"' EXIT

. bench/documents.sh
grid() { # side, conductors, rho, current
    cat <<JSON
{"soil": {"rho": $3}, "current": $4,
 "grids": [{"origin": [0, 0], "size": [$1, $1], "conductors": [$2, $2], "depth": 0.5,
            "diameter": 0.0105}],
 "search": {"step": 0.5}}
JSON
}
# The document with "points" at the raster's step over the grid's square added.
withPoints() { # document, side, step
    python3 - "$1" "$2" "$3" <<'PY'
import json, sys
path, side, step = sys.argv[1], float(sys.argv[2]), float(sys.argv[3])
d = json.load(open(path))
n = int(round(side / step))
d["points"] = [[i * step, j * step] for j in range(n + 1) for i in range(n + 1)]
json.dump(d, open(path, "w"))
PY
}
grid 70 6 140 744.8 >"$documents/annex-h1.json"
withPoints "$documents/annex-h1.json" 70 0.5
grid 100 11 100 1000 >"$documents/uniform-100.json"
withPoints "$documents/uniform-100.json" 100 0.5
document 200 21 40 1 >"$documents/bench-200.json"
withPoints "$documents/bench-200.json" 200 1

wall() { # program, document: milliseconds of the whole process
    local start end
    start=$(date +%s%N)
    "$1" system --input "$2" --format json >/dev/null
    end=$(date +%s%N)
    echo $(((end - start) / 1000000))
}

echo "bench/speed.sh on $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | xargs)"
for name in annex-h1 uniform-100 bench-200; do
    times=$(mktemp)
    for ((r = 0; r < runs; ++r)); do
        mine=$(wall "$calc" "$documents/$name.json")
        theirs=
        [ -n "$other" ] && theirs=$(wall "$other" "$documents/$name.json")
        printf '%s\t%s\n' "$mine" "$theirs" >>"$times"
    done
    library=$("$bench" "$name" --solves 3 --yardstick)
    python3 - "$name" "$times" "$library" "$other" <<'PY'
import statistics, sys
name, times, library, other = sys.argv[1:5]
rows = [line.rstrip("\n").split("\t") for line in open(times) if line.strip()]
mine = statistics.median(float(r[0]) for r in rows) / 1000
solve, per_second, plain, worst, raster, segments = library.split("\t")
print(f"{name}: {segments} segments, {raster} raster points, the map's points given over the grid")
line = f"  whole process {mine:.3f} s (median of {len(rows)})"
if other:
    theirs = statistics.median(float(r[1]) for r in rows) / 1000
    ratios = sorted(float(r[1]) / float(r[0]) for r in rows)
    line += f"; the other {theirs:.3f} s, {statistics.median(ratios):.2f} times as long (paired median)"
print(line)
print(f"  library: one solve {float(solve):.3f} s, {float(per_second):.2f} solves per second")
if plain != "nan":
    print(f"  yardstick, the raster by the plainest loop: {float(plain):.3f} s on one core, "
          f"{float(plain) / mine:.1f} times the whole process; it differs by {float(worst):.1e} of the GPR")
else:
    print("  yardstick: uniform soil only")
PY
    rm -f "$times"
done
