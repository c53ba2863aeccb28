#!/usr/bin/env bash
# Floating metal in many groups against the same conductors in one: a 40 m grid of 9 x 9
# conductors at 0.5 m taking 1000 A in 100 ohm m, beside 1500 rods of 1 m (30 rows of 50,
# 2 m apart, 5 m off the grid), each rod a floating group of its own, or all of them one
# floating group. The groups' constraints are solved together, so the two should take about
# the same time (before, each group took a conjugate gradient run of its own: 33 s against
# 0.1 s). Each figure is the median of the runs of tav-calc system, whole process.
#   bench/floating.sh [runs] [rods]   (TAV_BENCH_BUILD: another build folder, configured Release)
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
runs=${1:-3}
rods=${2:-1500}
build=${TAV_BENCH_BUILD:-build-bench-system}

cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" --parallel 2 --target tav-calc >/dev/null
calc=$PWD/$build/bin/tav-calc
documents=$(mktemp -d)
trap 'rm -rf "$documents"' EXIT

# document own|one -> the system as tav-calc system reads it
document() {
    local mode=$1 k x y group sep=""
    printf '{"soil": {"rho": 100}, "current": 1000, "search": {"step": 2},\n'
    printf ' "grids": [{"size": [40, 40], "conductors": [9, 9], "depth": 0.5, "diameter": 0.01}],\n'
    printf ' "conductors": ['
    for ((k = 0; k < rods; ++k)); do
        x=$((k % 50 * 2))
        y=$((45 + k / 50 * 2))
        group=$([ "$mode" = own ] && echo $((k + 1)) || echo 1)
        printf '%s{"from": [%d, %d, 0.5], "to": [%d, %d, 1.5], "diameter": 0.016, "group": %d}' \
            "$sep" "$x" "$y" "$x" "$y" "$group"
        sep=", "
    done
    printf ']}\n'
}

for mode in one own; do
    document "$mode" >"$documents/$mode.json"
    times=()
    for ((r = 0; r < runs; ++r)); do
        start=$(date +%s%N)
        "$calc" system --input "$documents/$mode.json" --format json >/dev/null
        end=$(date +%s%N)
        times+=($(((end - start) / 1000000)))
    done
    median=$(printf '%s\n' "${times[@]}" | sort -n | sed -n "$(((runs + 1) / 2))p")
    label=$([ "$mode" = own ] && echo "$rods floating groups" || echo "one floating group")
    printf '%-24s %6d ms (median of %d)\n' "$label" "$median" "$runs"
done
