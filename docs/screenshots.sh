#!/usr/bin/env bash
# Starts TAV on a virtual display, opens each window (filling in a worked example where
# the window calculates), and writes a screenshot of each into docs/screenshots/.
#   docs/screenshots.sh [BUILD_FOLDER]       (needs xvfb, xauth, xdotool, imagemagick)
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
build=${1:-build}
out=docs/screenshots

if [ "${2:-}" != --on-display ]; then
    unset QT_QPA_PLATFORM
    exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$build" --on-display
fi

"$build/bin/TAV" 2>/dev/null &
tav=$!
trap 'kill $tav 2>/dev/null || true' EXIT

window() { # title -> id of the mapped window
    timeout 20 xdotool search --sync --onlyvisible --name "^$1\$" | head -1
}
shot() { # window id, name
    sleep 0.5
    import -window "$1" "$out/$2.png"
}
keys() { # window id, keys...
    local id=$1
    shift
    xdotool windowfocus --sync "$id"
    for key in "$@"; do
        case $key in
        Tab | Return | Escape) xdotool key "$key" ;;
        *) xdotool type --delay 20 "$key" ;;
        esac
    done
    sleep 0.3
}
press() { # main window id, button's centre in dialog units (x y)
    eval "$(xdotool getwindowgeometry --shell "$1")"
    # The layout (453 px high) lies beneath the Studies menu's bar.
    xdotool mousemove $((X + $2 * 9 / 4)) $((Y + HEIGHT - 453 + $3 * 17 / 8)) click 1
}

main=$(window "TAV Grounding Design Program for TAV grounding rod Installation  ")
shot "$main" main-window

press "$main" 328 52
about=$(window "TAV Grounding Design Program for TAV grounding rod Installation")
shot "$about" about
keys "$about" Escape

press "$main" 328 98
soil=$(window "Soil resistivity measurement.*")
# Place, then each row's R (its resistivity field between), the two spacings in their rows.
keys "$soil" "Site A" Tab 1 Tab Tab 1 Tab Tab 1 Tab Tab 1 Tab Tab 1 Tab Tab 1 Tab Tab 1 Tab Tab \
    1 Tab Tab 1 Tab Tab 36 Tab 1 Tab Tab 42 Tab 1 Return
shot "$soil" soil-resistivity
keys "$soil" Escape

# The soil model window, from a sounding over a top layer lower than the ground below
# it, at the form's nine fixed spacings.
press "$main" 328 98
soil=$(window "Soil resistivity measurement.*")
keys "$soil" "Site A" Tab 16.6 Tab Tab 9.63 Tab Tab 6.52 Tab Tab 5.21 Tab Tab 4.03 Tab Tab \
    3.28 Tab Tab 2.37 Tab Tab 1.85 Tab Tab 1.51 Return
xdotool key alt+m
model=$(window "Soil model")
sleep 1 # the fit, a moment after the last change
shot "$model" soil-model
keys "$model" Escape
keys "$soil" Escape

press "$main" 328 142
vertical=$(window "Grounding Resistance Design of Vertical Grounding Rod")
keys "$vertical" Tab Tab 10 Tab 100 Return
shot "$vertical" vertical-rod
keys "$vertical" Escape

press "$main" 328 165
horizontal=$(window "Grounding Resistance Design of Horizontal Grounding Rod")
keys "$horizontal" Tab Tab 10 Tab 100 Return
shot "$horizontal" horizontal-rod
keys "$horizontal" Escape

press "$main" 328 188
mesh=$(window "Grounding Resistance Design of Mesh type electrode")
keys "$mesh" 100 Tab 20 Tab 10 Tab 0.6 Tab 5 Tab 5 Return
shot "$mesh" mesh-grid
keys "$mesh" Escape

# The grid safety window, with IEEE Std 80 Annex B.1's grid and its fault at X/R 40.
press "$main" 328 188
mesh=$(window "Grounding Resistance Design of Mesh type electrode")
keys "$mesh" 400 Tab 70 Tab 70 Tab 0.5 Tab 7 Tab 7 Return
xdotool key alt+s
safety=$(window "Grid safety \\(IEEE Std 80\\)")
# Diameter; 3I0, Sf, X/R, then the duration past the frequency; the surface layer; 70 kg
# (past the criteria, IEEE Std 80 as they stand);
# the conductor in hard-drawn copper.
keys "$safety" Tab Tab Tab Tab Tab 0.01 Tab 3180 Tab 0.6 Tab Tab 40 Tab Tab 0.5 Tab
xdotool key space
keys "$safety" Tab 2500 Tab 0.102 Tab
xdotool key Down Tab Tab Tab Tab Tab Tab Down
keys "$safety" Tab 6814 Tab 0.5
shot "$safety" grid-safety
keys "$safety" Escape
keys "$mesh" Escape

press "$main" 328 74
field=$(window "Field Information")
eval "$(xdotool getwindowgeometry --shell "$field")"
xdotool mousemove $((X + 218 * 9 / 4)) $((Y + 219 * 17 / 8)) click 1 # Browse
chooser=$(timeout 20 xdotool search --sync --onlyvisible --name "^Open" | head -1 ||
    timeout 20 xdotool search --sync --onlyvisible --class "TAV" | tail -1)
keys "$chooser" "$PWD/tests/core/data/worked-example.txt" Return
shot "$field" field-information
keys "$field" Escape

keys "$main" Escape
wait "$tav"

# The earthing study of the example project, solved (Alt+S) with its touch map, its
# crushed rock laid inside the fence (-3, -3) to (73, 73) only, as it usually is: the
# floating fence's touch from the bare ground outside is then held against the bare soil's
# tolerable voltage.
study_file="$(mktemp -d)/substation-70m.json"
sed 's/"surface": {"rho": 2500, "thickness": 0.1}/"surface": {"rho": 2500, "thickness": 0.1, "area": [[-3, -3], [73, -3], [73, 73], [-3, 73]]}/' \
    docs/examples/substation-70m.json >"$study_file"
"$build/bin/TAV" --study "$study_file" 2>/dev/null &
tav=$!
study=$(window "substation-70m.json - Earthing system study")
xdotool windowsize --sync "$study" 1280 860
xdotool windowfocus --sync "$study"
xdotool key alt+s
sleep 6 # the solve takes about a second; the picture is taken once it is drawn
shot "$study" earthing-study
kill "$tav"

# The same study being drawn: a tail conductor out of the grid's corner typed as CAD takes
# it, a second conductor begun from its end, the cursor snapped on the plan.
"$build/bin/TAV" --study docs/examples/substation-70m.json 2>/dev/null &
tav=$!
study=$(window "substation-70m.json - Earthing system study")
xdotool windowsize --sync "$study" 1280 860
xdotool windowfocus --sync "$study"
sleep 1
eval "$(xdotool getwindowgeometry --shell "$study")"
xdotool mousemove $((X + 700)) $((Y + 520)) click 1 # on the plan, outside the grid
xdotool key c
point() { # a point typed into the Point field, right of the map's choice
    xdotool mousemove $((X + 720)) $((Y + 40)) click 1
    xdotool type --delay 20 "$1"
    xdotool key Return
}
point "70, 70"
point "@14, 0"
xdotool key Return # nothing typed: the conductor ends
sleep 0.5
xdotool key ctrl+0 # the plan fitted to the system with its tail
point "84, 70"
point "@0, -24"
xdotool mousemove $((X + 740)) $((Y + 420))
sleep 0.3
xdotool mousemove $((X + 744)) $((Y + 416))
shot "$study" earthing-editor
kill "$tav"

# A new study designed: Study > Design... over the outline round its 20 m grid, at its
# 1000 A, which no copper inside the outline carries safely, so the least failing layout
# and what limits it are shown.
"$build/bin/TAV" --study 2>/dev/null &
tav=$!
study=$(window "untitled - Earthing system study")
xdotool windowsize --sync "$study" 1280 860
xdotool windowfocus --sync "$study"
eval "$(xdotool getwindowgeometry --shell "$study")"
xdotool mousemove $((X + 143)) $((Y + 8)) click 1 # Study
sleep 0.5
xdotool mousemove $((X + 180)) $((Y + 56)) click 1 # Design...
designer=$(window "Design")
xdotool windowfocus --sync "$designer"
xdotool key alt+d
sleep 20 # the search, some seventeen solves
shot "$designer" earthing-design
kill "$tav"

# Two pages of the same study's report, as tav-calc system --pdf writes it: the summary
# with its verdicts and basis, and the first page of maps.
report_dir=$(dirname "$study_file")
"$build/bin/tav-calc" system --input "$study_file" --pdf "$report_dir/report.pdf" >/dev/null
pdftoppm -r 80 -png -f 1 -l 1 -singlefile "$report_dir/report.pdf" "$out/report-summary"
pdftoppm -r 80 -png -f 3 -l 3 -singlefile "$report_dir/report.pdf" "$out/report-maps"
trap - EXIT
echo "screenshots written into $out"
