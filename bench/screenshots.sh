#!/usr/bin/env bash
# Screenshots of TAV's windows on a virtual X display, for checking that a start-up
# change leaves every window as it was, pixel for pixel:
#   bench/screenshots.sh before && (change, rebuild) && bench/screenshots.sh after
#   for f in before/*.png; do compare -metric AE "$f" "after/${f#before/}" null:; echo; done
#   cmp before/icon.txt after/icon.txt
# Writes main.png (the main window), about.png, soil.png, vertical.png (the main window
# with each form over it, opened by a click on its button) and icon.txt (the window's
# _NET_WM_ICON, every size, as the window manager gets it) into the folder given.
# Runs build-bench/bin/TAV as bench/startup.sh builds it, on a virtual display of its own
# (bench/virtual_display.sh). Debian packages: xvfb, imagemagick (import), xdotool,
# x11-utils (xprop).
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
out=$(realpath -m "${1:?usage: $0 output-folder}")
mkdir -p "$out"
tav=$PWD/build-bench/bin/TAV

source bench/virtual_display.sh
start_virtual_display
unset QT_QPA_PLATFORM

settle() { sleep 1.5; }

"$tav" >/dev/null 2>&1 &
pid=$!
trap 'kill "$pid" 2>/dev/null || true; kill "$virtual_display_pid" 2>/dev/null || true' EXIT
settle
window=$(xdotool search --sync --pid "$pid" --name 'TAV Grounding Design')
import -window root "$out/main.png"
xprop -id "$window" -notype -f _NET_WM_ICON 32c _NET_WM_ICON >"$out/icon.txt"

# A button's centre in the main window, from its rectangle in the layout's dialog units
# (the main window's font gives 9 x 17 pixels for 4 x 8 units).
press() { # x y width height
    xdotool mousemove --window "$window" $((($1 + $3 / 2) * 9 / 4)) $((($2 + $4 / 2) * 17 / 8)) \
        click 1
}
shot() { # name x y width height: opens the form, takes the screen, closes the form
    press "$2" "$3" "$4" "$5"
    settle
    import -window root "$out/$1.png"
    xdotool key --clearmodifiers Escape
    sleep 0.5
}
shot about 288 42 81 20
shot soil 288 87 81 22
shot vertical 288 131 81 23
echo "screenshots in $out"
