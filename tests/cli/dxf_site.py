#!/usr/bin/python3
"""Drawings for tst_tavcalc_dxf, written by ezdxf, a DXF library independent of TAV's
reader: a site at site coordinates, and drawings tav-calc must refuse.

    dxf_site.py write OUTDIR
"""
import sys

import ezdxf

# The site's lower left corner is (X0 - 2, Y0): the import's origin is (500100, 4000400).
X0, Y0 = 500123.4, 4000456.7
# An irregular outline, closed, and a diagonal across it.
OUTLINE = [(0, 0), (30, 0), (34, 12), (28, 25), (5, 22), (-2, 10)]
DIAGONAL = [(0, 0), (28, 25)]
RODS = [(0, 0), (30, 0), (28, 25)]


def site(path):
    doc = ezdxf.new("R2010")
    doc.header["$INSUNITS"] = 6
    msp = doc.modelspace()
    msp.add_lwpolyline([(X0 + x, Y0 + y) for x, y in OUTLINE[:3]], dxfattribs={"layer": "GRID"})
    # The rest of the outline as a second polyline, back to its start.
    rest = OUTLINE[2:] + OUTLINE[:1]
    msp.add_lwpolyline([(X0 + x, Y0 + y) for x, y in rest], dxfattribs={"layer": "GRID"})
    msp.add_line((X0 + DIAGONAL[0][0], Y0 + DIAGONAL[0][1]),
                 (X0 + DIAGONAL[1][0], Y0 + DIAGONAL[1][1]), dxfattribs={"layer": "GRID"})
    for x, y in RODS:
        msp.add_circle((X0 + x, Y0 + y), 0.008, dxfattribs={"layer": "RODS"})
    for i in range(12):
        msp.add_text("note %d" % i, dxfattribs={"layer": "ANNOT", "insert": (X0 + i, Y0 - 3)})
    for i in range(3):
        hatch = msp.add_hatch(dxfattribs={"layer": "ANNOT"})
        hatch.paths.add_polyline_path([(X0 + i, Y0 - 8), (X0 + i + 1, Y0 - 8), (X0 + i, Y0 - 7)],
                                      is_closed=True)
    msp.add_line((X0, Y0 - 5), (X0 + 5, Y0 - 5), dxfattribs={"layer": "LOOSE"})
    msp.add_point((X0 + 10, Y0 + 10), dxfattribs={"layer": "PITS"})
    doc.saveas(path)


# A 20 m square grid, a five-sided fence round it, the yard within it (a touch area, and an
# open line on its layer, which no area is) and the crushed rock's outline, in metres.
SQUARE = [(0, 0), (20, 0), (20, 20), (0, 20)]
FENCE = [(-3, -3), (23, -3), (26, 10), (23, 23), (-3, 23)]
YARD = [(-1, -1), (21, -1), (21, 21), (-1, 21)]
ROCK = [(-4, -4), (27, -4), (27, 24), (-4, 24)]


def roles(out):
    doc = ezdxf.new("R2010")
    doc.header["$INSUNITS"] = 6
    msp = doc.modelspace()
    msp.add_lwpolyline(SQUARE, close=True, dxfattribs={"layer": "GRID"})
    msp.add_lwpolyline(FENCE, close=True, dxfattribs={"layer": "FENCE"})
    msp.add_lwpolyline(YARD, close=True, dxfattribs={"layer": "YARD"})
    msp.add_lwpolyline([(0, 30), (10, 30)], dxfattribs={"layer": "YARD"})
    msp.add_lwpolyline(ROCK, close=True, dxfattribs={"layer": "ROCK"})
    doc.saveas(out + "/roles.dxf")
    # Two outlines of the rock: which one is meant is not known.
    msp.add_lwpolyline([(30, 0), (40, 0), (40, 10)], close=True, dxfattribs={"layer": "ROCK"})
    doc.saveas(out + "/rocks.dxf")


def hostile(out):
    doc = ezdxf.new("R2000")
    block = doc.blocks.new("SELF")
    block.add_line((0, 0), (1, 0))
    block.add_blockref("SELF", (1, 0))
    doc.modelspace().add_blockref("SELF", (0, 0), dxfattribs={"layer": "GRID"})
    doc.saveas(out + "/self.dxf")
    doc = ezdxf.new("R12")
    doc.modelspace().add_line((0, 0, 0), (100, 0, 0), dxfattribs={"layer": "GRID"})
    doc.saveas(out + "/unitless.dxf")
    doc = ezdxf.new("R2010")
    doc.header["$INSUNITS"] = 3  # miles
    doc.modelspace().add_line((0, 0, 0), (1, 0, 0), dxfattribs={"layer": "GRID"})
    doc.saveas(out + "/miles.dxf")


if __name__ == "__main__":
    if len(sys.argv) == 3 and sys.argv[1] == "write":
        site(sys.argv[2] + "/site.dxf")
        hostile(sys.argv[2])
        roles(sys.argv[2])
    else:
        sys.exit(__doc__)
