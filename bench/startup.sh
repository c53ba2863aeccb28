#!/usr/bin/env bash
# Start-up time of TAV against a bare Qt dialog program, measured side by side in one
# run: each process runs from its start until its first window has been painted and
# closed again. Runs alternate so that both see the same machine.
#   bench/startup.sh [runs] [--xvfb]
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
runs=${1:-40}
display=offscreen
[ "${2:-}" = "--xvfb" ] && display=xvfb

cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build-bench --parallel "$(nproc)" --target bench_bare_dialog bench_tav_startup >/dev/null

measure() { # program -> milliseconds
    local start end
    start=$(date +%s%N)
    "$1" >/dev/null 2>&1
    end=$(date +%s%N)
    echo $(((end - start) / 1000))
}

series() {
    local bare=() tav=()
    "$PWD/build-bench/bin/bench_bare_dialog" >/dev/null 2>&1 # warm the caches
    "$PWD/build-bench/bin/bench_tav_startup" >/dev/null 2>&1
    for ((i = 0; i < runs; ++i)); do
        bare+=("$(measure "$PWD/build-bench/bin/bench_bare_dialog")")
        tav+=("$(measure "$PWD/build-bench/bin/bench_tav_startup")")
    done
    python3 - "${bare[*]}" "${tav[*]}" <<'PY'
import statistics, sys
bare = [int(v) / 1000 for v in sys.argv[1].split()]
tav = [int(v) / 1000 for v in sys.argv[2].split()]
mb, mt = statistics.median(bare), statistics.median(tav)
print(f"runs: {len(bare)} each")
print(f"bare Qt dialog: median {mb:.1f} ms (min {min(bare):.1f}, max {max(bare):.1f})")
print(f"TAV main window: median {mt:.1f} ms (min {min(tav):.1f}, max {max(tav):.1f})")
print(f"ratio TAV / bare: {mt / mb:.2f} (target at most 1.30)")
PY
}

if [ "$display" = xvfb ] && [ -z "${DISPLAY:-}" ]; then
    unset QT_QPA_PLATFORM
    exec xvfb-run -a "$0" "$runs" --xvfb
elif [ "$display" = xvfb ]; then
    series
else
    QT_QPA_PLATFORM=offscreen series
fi
