#!/usr/bin/env bash
# tav-calc soil-model against tav-calc wenner on the same nine Wenner readings, side by
# side in one run: each process timed from its start to its end, the two alternating so
# that both see the same machine. The fit should take at most twice wenner's time.
#   bench/soilmodel.sh [runs]
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
runs=${1:-30}
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

compare() { # title, readings as the soil form's resistances
    local readings=$2
    local wenner=(wenner --resistances "$readings")
    local model=(soil-model --wenner-resistances "$readings")
    echo "== $1"
    "$calc" "${wenner[@]}" >/dev/null # warm the caches
    "$calc" "${model[@]}" | head -3
    local plain=() fitted=()
    for ((i = 0; i < runs; ++i)); do
        plain+=("$(measure "${wenner[@]}")")
        fitted+=("$(measure "${model[@]}")")
    done
    python3 - "${plain[*]}" "${fitted[*]}" <<'PY'
import statistics, sys
plain = [int(v) / 1000 for v in sys.argv[1].split()]
fitted = [int(v) / 1000 for v in sys.argv[2].split()]
mp, mf = statistics.median(plain), statistics.median(fitted)
print(f"runs: {len(plain)} each")
print(f"tav-calc wenner: median {mp:.2f} ms (min {min(plain):.2f}, max {max(plain):.2f})")
print(f"tav-calc soil-model: median {mf:.2f} ms (min {min(fitted):.2f}, max {max(fitted):.2f})")
print(f"ratio soil-model / wenner: {mf / mp:.2f} (target at most 2)")
PY
}

uptime
# 100 ohm-m over 300 ohm-m from 2 m down at the soil form's nine spacings, in three digits
# as a meter shows them: every parameter determined.
compare "100 over 300 ohm-m from 2 m" 16.6,9.63,6.52,5.21,4.03,3.28,2.37,1.85,1.51
# Equal resistances, an apparent resistivity rising as the spacing: the bounds of an
# insulating basement under a thin top layer are searched for as well.
compare "an insulating basement: bounds" 1,1,1,1,1,1,1,1,1
