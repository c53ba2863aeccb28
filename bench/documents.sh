# The systems the solver's and the study window's benchmarks solve: a square grid with
# rods on its edge over two-layer soil, 70 m (6 conductors each way, 20 rods, a 0.5 m
# raster) and 200 m (21, 40, 1 m); the same in three layers; and the large ones, 300 m
# (31, 40 rods, 1 m segments and raster) and 1 km (101, 100 rods, 2 m segments and
# raster). Sourced: writes bench-70.json, bench-200.json, bench-70-layers.json,
# bench-200-layers.json, bench-300.json and bench-1000.json into $1.
twoLayers='{"rho1": 300, "rho2": 100, "h": 6.096}'
threeLayers='{"layers": [{"rho": 300, "thickness": 2}, {"rho": 100, "thickness": 8}, {"rho": 600}]}'
document() { # side, conductors per side, rods, raster step, soil, segment length
    cat <<JSON
{"soil": ${5:-$twoLayers}, "current": 1000, "segment_length": ${6:-1},
 "grids": [{"origin": [0, 0], "size": [$1, $1], "conductors": [$2, $2], "depth": 0.5,
            "diameter": 0.0105, "rods": {"count": $3, "length": 7.5, "diameter": 0.016}}],
 "search": {"step": $4, "margin": 3}}
JSON
}
writeDocuments() {
    document 70 6 20 0.5 >"$1/bench-70.json"
    document 200 21 40 1 >"$1/bench-200.json"
    document 70 6 20 0.5 "$threeLayers" >"$1/bench-70-layers.json"
    document 200 21 40 1 "$threeLayers" >"$1/bench-200-layers.json"
    document 300 31 40 1 >"$1/bench-300.json"
    document 1000 101 100 2 "$twoLayers" 2 >"$1/bench-1000.json"
}
