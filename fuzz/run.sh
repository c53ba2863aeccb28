#!/usr/bin/env bash
# Build the fuzz targets of the field information reader and the DXF reader (no Qt) and of
# the earthing system document's reader (over Qt Core) with clang, libFuzzer and the address and
# undefined-behaviour sanitizers, and run each for a bounded time on seeds copied from the
# tests and examples.
#   fuzz/run.sh BUILD_DIR SECONDS   (SECONDS for each target)
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
cmake --build "$build" --target fuzz_site_reader fuzz_system_document fuzz_dxf_reader --parallel "$(nproc)"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
artifacts=$build/artifacts
rm -rf "$artifacts"
mkdir -p "$artifacts"
symbolizer=$(command -v llvm-symbolizer-14 || true)

# The seeds: the field information files of the core's tests; for the system document the
# examples and every JSON document written out in tests/cli (a raw string opening with {);
# for the DXF reader the drawings the cad tests have ezdxf write.
mkdir -p "$work/site" "$work/system" "$work/dxf"
/usr/bin/python3 tests/cad/make_drawings.py write "$work/dxf" >/dev/null
find "$work/dxf" -size +64k -delete # the hostile drawings' size is the tests' to try
cp tests/core/data/* "$work/site/"
cp docs/examples/*.json "$work/system/"
for source in tests/cli/*.cpp; do
    out="$work/system" name=$(basename "$source" .cpp) perl -0777 -ne '
        my $n = 0;
        while (/R"\((\{.*?)\)"/sg) {
            open(my $f, ">", "$ENV{out}/$ENV{name}-" . $n++ . ".json") or die;
            print $f $1;
        }' "$source"
done

# fuzz TARGET CORPUS: runs the target for the time given; non-zero on any finding, the input
# that did it kept in the artifacts and shown in hex.
fuzz() {
    local target=$1 corpus=$2 status=0
    ASAN_OPTIONS=detect_leaks=1:abort_on_error=0${symbolizer:+:external_symbolizer_path=$symbolizer} \
    UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
        "$build/bin/$target" -max_total_time="$seconds" -rss_limit_mb=2048 \
        -detect_leaks=1 -timeout=10 -print_final_stats=1 \
        -artifact_prefix="$artifacts/$target-" "$corpus" 2>&1 | tee "$work/$target.log" ||
        status=$?
    # Any sanitizer report fails the run, even one that somehow did not stop the fuzzer.
    if grep -qE 'ERROR: (AddressSanitizer|LeakSanitizer|UndefinedBehaviorSanitizer|libFuzzer)|runtime error:|^SUMMARY: ' "$work/$target.log"; then
        [ "$status" -ne 0 ] || status=1
    fi
    return "$status"
}

# The three readers at once where there are two cores or more: libFuzzer's time is the
# wall clock's, so each still runs its full time, on two thirds of a core; their output
# is shown one after the other.
status=0
if [ "$(nproc)" -ge 2 ]; then
    pids=()
    for pair in "fuzz_site_reader site" "fuzz_system_document system" "fuzz_dxf_reader dxf"; do
        set -- $pair
        fuzz "$1" "$work/$2" >"$work/$2.out" 2>&1 &
        pids+=($!)
    done
    for k in 0 1 2; do
        wait "${pids[$k]}" || status=$?
    done
    cat "$work/site.out" "$work/system.out" "$work/dxf.out"
else
    fuzz fuzz_site_reader "$work/site" || status=$?
    fuzz fuzz_system_document "$work/system" || status=$?
    fuzz fuzz_dxf_reader "$work/dxf" || status=$?
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
echo "fuzz: no finding in ${seconds}s for each reader"
