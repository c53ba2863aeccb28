#!/usr/bin/env bash
# Build the field information reader's fuzz target (clang, libFuzzer, address and
# undefined-behaviour sanitizers, no Qt) and run it for a bounded time on a copy of the
# test files as seeds.
#   fuzz/run.sh BUILD_DIR SECONDS
# Exits non-zero on any crash, leak, undefined behaviour, slow input or failed round trip;
# the input that did it is kept in BUILD_DIR/artifacts and shown in hex.
set -euo pipefail

if [ $# -ne 2 ] || ! [[ $2 =~ ^[1-9][0-9]*$ ]]; then
    echo "usage: $0 BUILD_DIR SECONDS" >&2
    exit 2
fi
build=$(realpath -m -- "$1")
seconds=$2
cd "$(dirname "${BASH_SOURCE[0]}")/.."

cmake -S . -B "$build" -DTAV_FUZZ=ON -DCMAKE_CXX_COMPILER=clang++-14 \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target fuzz_site_reader --parallel "$(nproc)"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/corpus"
cp tests/core/data/* "$work/corpus/"
artifacts=$build/artifacts
rm -rf "$artifacts"
mkdir -p "$artifacts"

symbolizer=$(command -v llvm-symbolizer-14 || true)
status=0
ASAN_OPTIONS=detect_leaks=1:abort_on_error=0${symbolizer:+:external_symbolizer_path=$symbolizer} \
UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
    "$build/bin/fuzz_site_reader" -max_total_time="$seconds" -rss_limit_mb=2048 \
    -detect_leaks=1 -timeout=10 -print_final_stats=1 -artifact_prefix="$artifacts/" \
    "$work/corpus" 2>&1 | tee "$work/log" || status=$?

# Any sanitizer report fails the run, even one that somehow did not stop the fuzzer.
if grep -qE 'ERROR: (AddressSanitizer|LeakSanitizer|UndefinedBehaviorSanitizer|libFuzzer)|runtime error:|^SUMMARY: ' "$work/log"; then
    [ "$status" -ne 0 ] || status=1
fi
found=$(find "$artifacts" -type f)
if [ -n "$found" ]; then
    [ "$status" -ne 0 ] || status=1
    for input in $found; do
        echo "fuzz: failing input $input:"
        od -An -tx1 -v "$input"
    done
fi
if [ "$status" -ne 0 ]; then
    echo "fuzz: FAILED (status $status)" >&2
    exit "$status"
fi
echo "fuzz: no finding in ${seconds}s"
