#!/usr/bin/env bash
# Render the TAV pictures from their SVG sources to PNG at exact sizes.
# Needs rsvg-convert (librsvg2-bin).
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
res="$(dirname "$here")"
bitmaps="$res/bitmaps"
icons="$res/icons/128"

mkdir -p "$bitmaps" "$icons"

render() { # src width height out
    rsvg-convert --width "$2" --height "$3" --format png -o "$4" "$here/$1"
}

# id width height
while read -r id w h; do
    render "bitmap-$id.svg" "$w" "$h" "$bitmaps/$id.png"
done <<'LIST'
146 133 211
147 141 150
148 68 76
149 68 76
150 206 166
151 531 422
152 97 97
LIST

for size in 256 128 64 48 32 16; do
    render icon-128.svg "$size" "$size" "$icons/$size.png"
done

echo "pictures rendered into $bitmaps and $icons"
