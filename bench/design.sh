#!/usr/bin/env bash
# The automatic design on IEEE Std 80 Annex B's site (70 m x 70 m, 400 ohm m, 1908 A for
# 0.5 s, 70 kg, 0.102 m of 2500 ohm m crushed rock; conductor 1 a metre, rods 2 a metre of
# 3 m or 7.5 m): the whole tav-calc design process on the machine's cores (target: within
# 60 s on two), its solves per second, and beside them one tav-calc system solve of the
# layout it found. Two segmentations: the document's own (1 m segments, a 0.5 m raster)
# and a coarse one (3.5 m, 1 m).
#   bench/design.sh [build-dir]
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
build=${1:-build-bench-design}
if [ ! -x "$build/bin/tav-calc" ]; then
    cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
    cmake --build "$build" --parallel 2 --target tav-calc >/dev/null
fi
calc=$PWD/$build/bin/tav-calc
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

site() { # segment length, raster step
    cat <<JSON
{"soil": {"rho": 400}, "current": 1908,
 "safety": {"duration": 0.5, "body": 70, "surface": {"rho": 2500, "thickness": 0.102}},
 "segment_length": $1, "search": {"step": $2, "margin": 3},
 "design": {"outline": [[0, 0], [70, 0], [70, 70], [0, 70]],
            "prices": {"conductor_per_m": 1, "rod_per_m": 2},
            "rod_lengths": [3, 7.5], "depth": 0.5, "diameter": 0.01}}
JSON
}

ms() { echo $(( ($(date +%s%N) - $1) / 1000000 )); }

printf 'segments  raster  design [s]  solves  solves/s  one solve [s]  cost  safe\n'
for pair in "1 0.5" "3.5 1"; do
    set -- $pair
    site "$1" "$2" >"$work/site.json"
    start=$(date +%s%N)
    status=0
    "$calc" design --input "$work/site.json" --format json --output "$work/best.json" \
        >"$work/out.json" || status=$?
    design=$(ms "$start")
    start=$(date +%s%N)
    "$calc" system --input "$work/best.json" >/dev/null
    one=$(ms "$start")
    python3 - "$work/out.json" "$1" "$2" "$design" "$one" <<'PY'
import json, sys
out = json.load(open(sys.argv[1]))
design, one = int(sys.argv[4]) / 1000, int(sys.argv[5]) / 1000
print(f"{sys.argv[2]:>8}  {sys.argv[3]:>6}  {design:10.1f}  {out['solves']:6d}  "
      f"{out['solves'] / design:8.2f}  {one:13.2f}  {out['cost']:4g}  {out['safe']}")
PY
done
