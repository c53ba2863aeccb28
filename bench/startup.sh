#!/usr/bin/env bash
# Start-up time of TAV against a bare Qt dialog program, as a user sees it: from the
# start of the process to its main window being mapped on the X display. The bare
# dialog (bench/bare_dialog.cpp) has the size of TAV's main window and one button. The
# real program build-bench/bin/TAV is timed, with its language module beside it.
# bench_map_time (bench/map_time.c) starts each program, waits for the first map of a
# top-level window, then ends the program. Runs alternate, bare, TAV, bare, TAV, ...,
# so that both see the same machine; medians and their ratio are printed.
#
#   bench/startup.sh [runs] [--xvfb]
#
# runs: runs of each program (default 40). Without a DISPLAY, or with --xvfb, the
# runs happen on a virtual X display of their own (bench/virtual_display.sh). On a
# desktop's display, a window another program opens during a run would be taken for
# the one measured: bench_map_time -v PROGRAM tells which window it saw.
#
# Debian packages it needs beyond the build's own (see dev.sh), installed when missing:
# xvfb for the virtual display, libx11-dev for bench_map_time.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
runs=${1:-40}
force_xvfb=${2:-}
build=build-bench
bin=$PWD/$build/bin

packages=(cmake g++ make qt6-base-dev qt6-base-dev-tools libgl-dev fonts-liberation
          xvfb libx11-dev)

install_missing() {
    local missing=()
    for package in "${packages[@]}"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
            missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends \
        "${missing[@]}"
}

series() {
    # Neither program may be steered to another platform than the display's.
    unset QT_QPA_PLATFORM
    local bare=() tav=() i
    "$bin/bench_map_time" "$bin/bench_bare_dialog" >/dev/null # warm the caches
    "$bin/bench_map_time" "$bin/TAV" >/dev/null
    for ((i = 0; i < runs; ++i)); do
        bare+=("$("$bin/bench_map_time" "$bin/bench_bare_dialog")")
        tav+=("$("$bin/bench_map_time" "$bin/TAV")")
    done
    report "${bare[*]}" "${tav[*]}"
}

summary() { # microseconds... -> "median min max" in milliseconds
    printf '%s\n' "$@" | sort -n | awk '
        { v[NR] = $1 }
        END {
            median = NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
            printf "%.1f %.1f %.1f\n", median / 1000, v[1] / 1000, v[NR] / 1000
        }'
}

report() { # "bare microseconds" "TAV microseconds"
    local bare tav
    # shellcheck disable=SC2086
    read -r -a bare <<<"$(summary $1)"
    # shellcheck disable=SC2086
    read -r -a tav <<<"$(summary $2)"
    echo "display: ${DISPLAY}, runs: ${runs} of each, alternating"
    echo "bare Qt dialog:  median ${bare[0]} ms (min ${bare[1]}, max ${bare[2]})"
    echo "TAV main window: median ${tav[0]} ms (min ${tav[1]}, max ${tav[2]})"
    awk -v t="${tav[0]}" -v b="${bare[0]}" \
        'BEGIN { printf "ratio TAV / bare: %.2f (target at most 1.30)\n", t / b }'
}

install_missing
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" --parallel "$(nproc)" \
    --target TAV lang_en bench_bare_dialog bench_map_time >/dev/null
for file in TAV lang_en.rcc bench_bare_dialog bench_map_time; do
    [ -e "$bin/$file" ] || { echo "startup.sh: $build/bin/$file was not built" >&2; exit 1; }
done

if [ -z "${DISPLAY:-}" ] || [ "$force_xvfb" = --xvfb ]; then
    source bench/virtual_display.sh
    start_virtual_display
fi
series
