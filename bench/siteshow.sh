#!/usr/bin/env bash
# The memory tav-calc site show takes for a field information file of 300 MB (a note of
# 8-bit text that is not UTF-8, so that it is converted on the way out; and a note of
# 16-bit characters, converted as it is read), in text and in JSON, against the file's own
# size and against cat reading the same file, in one run.
#   bench/siteshow.sh [MB]     (300 unless told; needs /usr/bin/time, package time)
# The target: a peak within twice the file's size.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
megabytes=${1:-300}
build=build-sitefile

cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" --parallel 2 --target tav-calc >/dev/null
data=$PWD/$build/siteshow-data
rm -rf "$data"
mkdir -p "$data"
trap 'rm -rf "$data"' EXIT

python3 - "$data" "$megabytes" tests/core/data/worked-example.txt <<'PY'
import struct, sys
folder, size, example = sys.argv[1], int(sys.argv[2]) * 1000 * 1000, sys.argv[3]
head = open(example, 'rb').read()[:-1]  # every item but the empty note
line = b'Feldnotiz \xe9 Zeile\r\n'            # Windows-1252
note = (line * (size // len(line) + 1))[:size]
open(folder + '/8-bit.tav', 'wb').write(head + b'\xff\xff\xff' + struct.pack('<I', size) + note)
units = size // 2
wide = ('\u00e9' * units).encode('utf-16-le')
open(folder + '/16-bit.tav', 'wb').write(
    head + b'\xff\xfe\xff\xff\xff\xff' + struct.pack('<I', units) + wide)
PY

peak() { # command... -> peak resident KiB
    /usr/bin/time -f %M -o "$data/peak" "$@" >/dev/null
    tail -n 1 "$data/peak"
}
printf '%-8s %-5s %12s %12s %8s\n' note as file_KiB peak_KiB ratio
for file in 8-bit 16-bit; do
    path=$data/$file.tav
    kib=$(($(stat -c %s "$path") / 1024))
    printf '%-8s %-5s %12d %12d %8s\n' "$file" cat "$kib" "$(peak cat "$path")" -
    for format in text json; do
        used=$(peak "$build/bin/tav-calc" site show "$path" --format "$format")
        printf '%-8s %-5s %12d %12d %8.2f\n' "$file" "$format" "$kib" "$used" \
            "$(awk -v u="$used" -v k="$kib" 'BEGIN { print u / k }')"
    done
done
echo "target: a peak within 2 times the file"
