#!/usr/bin/env bash
# The earthing system study window's own path on the two systems of bench/system.sh: the
# solve through SolveRunner (on its thread, the event loop turning) and the touch map with
# its contour drawn offscreen into a 1200 x 900 image; against 1 s (70 m) and 10 s (200 m).
# Each figure is the median of the runs.
#   bench/study.sh [runs]
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
runs=${1:-5}
build=build-bench-system

cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" --parallel 2 --target bench_study >/dev/null
bench=$PWD/$build/bin/bench_study
documents=$(mktemp -d)
trap 'rm -rf "$documents"' EXIT

. bench/documents.sh
writeDocuments "$documents"

median() { sort -n | awk '{a[NR] = $1} END {print a[int((NR + 1) / 2)]}'; }

printf '%-8s %10s %10s %10s %10s\n' system solve/s draw/s total/s target/s
for case in "70 1" "200 10"; do
    set -- $case
    out=$(for ((r = 0; r < runs; ++r)); do "$bench" "$documents/bench-$1.json"; done)
    printf '%-8s %10s %10s %10s %10s\n' "$1 m" "$(cut -d' ' -f1 <<<"$out" | median)" \
        "$(cut -d' ' -f2 <<<"$out" | median)" "$(cut -d' ' -f3 <<<"$out" | median)" "$2"
done
