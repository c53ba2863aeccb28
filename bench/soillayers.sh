#!/usr/bin/env bash
# tav-calc soil-model fitting layers beside tav-calc wenner, in one run, each process timed
# from its start to its end, alternating so that all see the same machine:
#   --layers auto on 17 Wenner readings, the whole process under 0.2 s;
#   --layers 3 on the same readings under 0.1 s.
#   bench/soillayers.sh [runs]
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
runs=${1:-9}
build=build-bench-model

cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" --parallel "$(nproc)" --target tav-calc >/dev/null
calc=$PWD/$build/bin/tav-calc

measure() { # arguments of tav-calc -> microseconds
    local start end
    start=$(date +%s%N)
    "$calc" "$@" >/dev/null
    end=$(date +%s%N)
    echo $(((end - start) / 1000))
}

# 300 over 100 over 600 ohm-m, 2 m and 8 m thick, read at 17 spacings to four digits as a
# meter shows them: an H curve.
spacings=0.5,0.75,1,1.5,2,3,4,6,8,10,15,20,30,40,60,80,100
values=298.4,295.1,289.4,271.9,249.3,204.7,172,142.7,140.3,149.2,185.6,223.4,286.9,335.8,404.9,450.3,481.9
wenner=(wenner --resistances 16.6,9.63,6.52,5.21,4.03,3.28,2.37,1.85,1.51)
auto=(soil-model --spacings "$spacings" --resistivities "$values" --layers auto)
three=(soil-model --spacings "$spacings" --resistivities "$values" --layers 3)

uptime
"$calc" "${auto[@]}" | head -2
plain=() chosen=() given=()
for ((i = 0; i < runs; ++i)); do
    plain+=("$(measure "${wenner[@]}")")
    chosen+=("$(measure "${auto[@]}")")
    given+=("$(measure "${three[@]}")")
done
python3 - "${plain[*]}" "${chosen[*]}" "${given[*]}" <<'PY'
import statistics, sys
def median(values):
    return statistics.median(int(v) / 1e6 for v in values.split())
plain, chosen, given = (median(v) for v in sys.argv[1:4])
print(f"runs: {len(sys.argv[1].split())} each")
print(f"tav-calc wenner (yardstick): {plain * 1000:.1f} ms")
for name, value, target in (("--layers auto", chosen, 0.2), ("--layers 3", given, 0.1)):
    verdict = "within" if value < target else "OVER"
    print(f"tav-calc soil-model {name}: {value:.3f} s, {verdict} its {target:g} s")
PY
