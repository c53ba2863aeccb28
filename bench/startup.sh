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

median() { # numbers... -> their median
    printf '%s\n' "$@" | sort -g | awk '
        { v[NR] = $1 }
        END { print NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

report() { # "bare microseconds" "TAV microseconds"
    local bare=($1) tav=($2) ratios=() i
    local sorted_bare sorted_tav
    sorted_bare=$(printf '%s\n' "${bare[@]}" | sort -n)
    sorted_tav=$(printf '%s\n' "${tav[@]}" | sort -n)
    # Each TAV run over the bare run just before it: on a machine busy with other work
    # this drifts less than the medians do.
    for ((i = 0; i < ${#bare[@]}; ++i)); do
        ratios+=("$(awk -v t="${tav[i]}" -v b="${bare[i]}" 'BEGIN { print t / b }')")
    done
    awk -v mb="$(median "${bare[@]}")" -v mt="$(median "${tav[@]}")" \
        -v lb="$(head -1 <<<"$sorted_bare")" -v hb="$(tail -1 <<<"$sorted_bare")" \
        -v lt="$(head -1 <<<"$sorted_tav")" -v ht="$(tail -1 <<<"$sorted_tav")" \
        -v paired="$(median "${ratios[@]}")" -v runs="$runs" -v display="$DISPLAY" 'BEGIN {
        printf "display: %s, runs: %d of each, alternating\n", display, runs
        printf "bare Qt dialog:  median %.1f ms (min %.1f, max %.1f)\n", mb / 1000, lb / 1000, hb / 1000
        printf "TAV main window: median %.1f ms (min %.1f, max %.1f)\n", mt / 1000, lt / 1000, ht / 1000
        printf "ratio TAV / bare: %.2f (target at most 1.30)\n", mt / mb
        printf "median of the ratios of neighbouring runs: %.2f\n", paired
    }'
}

./dev.sh install xvfb libx11-dev
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" --parallel "$(nproc)" --target TAV lang_en bench_bare_dialog >/dev/null
cmake --build "$build" --target bench_map_time >/dev/null 2>&1 ||
    { echo "startup.sh: bench_map_time needs Xlib: install libx11-dev" >&2; exit 1; }
for file in TAV lang_en.rcc bench_bare_dialog bench_map_time; do
    [ -e "$bin/$file" ] || { echo "startup.sh: $build/bin/$file was not built" >&2; exit 1; }
done

if [ -z "${DISPLAY:-}" ] || [ "$force_xvfb" = --xvfb ]; then
    source bench/virtual_display.sh
    start_virtual_display
fi
series
