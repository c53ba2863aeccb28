#!/usr/bin/env bash
# The earthing study's report beside its yardstick, the solve: tav-calc system on the two
# benchmark systems (bench/documents.sh: 70 m and 200 m), once without --pdf and once
# with it, in one run; the report's own time is the difference of the medians.
#   targets: the 70 m report under 2 s, the 200 m one under 5 s.
#   bench/report.sh [runs]
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
runs=${1:-3}
build=build-bench-system

cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" --parallel 2 --target tav-calc >/dev/null
calc=$PWD/$build/bin/tav-calc
documents=$(mktemp -d)
trap 'rm -rf "$documents"' EXIT
. bench/documents.sh
writeDocuments "$documents"

milliseconds() { # command...
    local start end
    start=$(date +%s%N)
    "$@" >/dev/null
    end=$(date +%s%N)
    echo $(((end - start) / 1000000))
}

for system in 70:2 200:5; do
    name=bench-${system%%:*}
    target=${system##*:}
    solve=()
    whole=()
    for ((r = 0; r < runs; ++r)); do
        solve+=("$(milliseconds "$calc" system --input "$documents/$name.json" --format json)")
        whole+=("$(milliseconds "$calc" system --input "$documents/$name.json" --format json \
            --pdf "$documents/$name.pdf")")
    done
    pages=$(pdfinfo "$documents/$name.pdf" | awk '/^Pages:/ {print $2}')
    python3 - "$name" "$target" "$pages" "${solve[*]}" "${whole[*]}" <<'PY'
import statistics, sys
name, target, pages = sys.argv[1], float(sys.argv[2]), sys.argv[3]
solve = statistics.median(float(v) for v in sys.argv[4].split()) / 1000
whole = statistics.median(float(v) for v in sys.argv[5].split()) / 1000
report = whole - solve
verdict = "within" if report < target else "OVER"
print(f"{name}: solve {solve:.2f} s, solve and report {whole:.2f} s: the report of {pages} "
      f"pages {report:.2f} s, {verdict} its {target:g} s")
PY
done
