#!/usr/bin/python3
"""Drawings for tst_dxfdrawing and tst_drawingimport, written by ezdxf, a DXF library
independent of TAV's reader; and ezdxf's reading of a file TAV wrote.

    make_drawings.py write OUTDIR     every drawing the tests read
    make_drawings.py check FILE       what ezdxf reads in FILE, as JSON on standard output
"""
import json
import sys

import ezdxf

VERSIONS = ["R12", "R2000", "R2010", "R2018"]


def kinds(version, path):
    """One entity of every kind, each on a layer of its own."""
    doc = ezdxf.new(version)
    if version != "R12":
        doc.header["$INSUNITS"] = 6
    msp = doc.modelspace()
    msp.add_line((0, 0, -0.5), (10, 0, -0.5), dxfattribs={"layer": "LINE"})
    if version != "R12":
        msp.add_lwpolyline([(0, 20, 0, 0, 0), (10, 20, 0, 0, 0), (10, 30, 0, 0, 0)],
                           format="xyseb", dxfattribs={"layer": "LWPOLYLINE", "closed": True})
    msp.add_polyline2d([(0, 40), (5, 45), (10, 40)], dxfattribs={"layer": "POLYLINE2D"})
    msp.add_polyline3d([(0, 60, -1), (5, 65, -2), (10, 60, -3)], dxfattribs={"layer": "POLYLINE3D"})
    msp.add_point((1, 2, -0.5), dxfattribs={"layer": "POINT"})
    msp.add_circle((3, 4), 0.1, dxfattribs={"layer": "CIRCLE"})
    rod = doc.blocks.new("ROD")
    rod.add_circle((0, 0), 0.2)
    msp.add_blockref("ROD", (50, 50), dxfattribs={"layer": "INSERT"})
    msp.add_text("note", dxfattribs={"layer": "TEXT"})
    msp.add_3dface([(0, 0, 0), (1, 0, 0), (1, 1, 0), (0, 1, 0)], dxfattribs={"layer": "3DFACE"})
    if version != "R12":
        hatch = msp.add_hatch(dxfattribs={"layer": "HATCH"})
        hatch.paths.add_polyline_path([(0, 0), (1, 0), (1, 1)], is_closed=True)
        msp.add_spline([(0, 0), (1, 1), (2, 0), (3, 1)], dxfattribs={"layer": "SPLINE"})
        msp.add_mtext("multi", dxfattribs={"layer": "MTEXT"})
    doc.saveas(path)


def units(code, path):
    """A line 100 units long along x, drawn in the unit of $INSUNITS code."""
    doc = ezdxf.new("R2010")
    doc.header["$INSUNITS"] = code
    doc.modelspace().add_line((0, 0, 0), (100, 0, 0), dxfattribs={"layer": "GRID"})
    doc.saveas(path)


def bulge(path):
    """A half circle of radius 5 from (0, 0) to (10, 0), counterclockwise (bulge 1)."""
    doc = ezdxf.new("R2010")
    doc.header["$INSUNITS"] = 6
    doc.modelspace().add_lwpolyline([(0, 0, 0, 0, 1), (10, 0, 0, 0, 0)], format="xyseb",
                                    dxfattribs={"layer": "RING"})
    doc.saveas(path)


def nested(path):
    """INNER (a line and a point) inserted rotated in OUTER (based at (1, 1)), which is
    inserted scaled by 2 and rotated by 30 degrees; and an array of ROD, 2 rows by 3."""
    doc = ezdxf.new("R2010")
    doc.header["$INSUNITS"] = 6
    inner = doc.blocks.new("INNER")
    inner.add_line((0, 0), (1, 0))
    inner.add_point((1, 0))
    outer = doc.blocks.new("OUTER", base_point=(1, 1))
    outer.add_blockref("INNER", (2, 0), dxfattribs={"rotation": 90})
    outer.add_circle((0, 0), 0.2)
    outer.add_text("label")
    msp = doc.modelspace()
    msp.add_blockref("OUTER", (100, 100), dxfattribs={
        "layer": "NEST", "xscale": 2, "yscale": 2, "zscale": 2, "rotation": 30})
    rod = doc.blocks.new("ROD")
    rod.add_circle((0, 0), 0.01)
    msp.add_blockref("ROD", (10, 20), dxfattribs={
        "layer": "ARRAY", "rotation": 90, "column_count": 3, "row_count": 2,
        "column_spacing": 5, "row_spacing": 4})
    doc.saveas(path)


def hostile(out):
    doc = ezdxf.new("R2000")
    block = doc.blocks.new("SELF")
    block.add_line((0, 0), (1, 0))
    block.add_blockref("SELF", (1, 0))
    doc.modelspace().add_blockref("SELF", (0, 0))
    doc.saveas(out + "/self.dxf")
    doc = ezdxf.new("R2000")
    depth = 10000
    for i in range(depth):
        block = doc.blocks.new("B%d" % i)
        if i + 1 < depth:
            block.add_blockref("B%d" % (i + 1), (1, 0))
        else:
            block.add_point((0, 0))
    doc.modelspace().add_blockref("B0", (0, 0))
    doc.saveas(out + "/deep.dxf")
    # A block of 1000 points placed 40 x 50 times: 2 000 001 entities once expanded.
    doc = ezdxf.new("R2000")
    block = doc.blocks.new("MANY")
    for i in range(1000):
        block.add_point((i, 0))
    doc.modelspace().add_blockref("MANY", (0, 0), dxfattribs={
        "row_count": 40, "column_count": 50, "row_spacing": 1, "column_spacing": 1000})
    doc.saveas(out + "/wide.dxf")


def plan(path, x0, y0, z):
    """Conductors at site coordinates: a line twice (once reversed, 0.5 mm off), one
    overlapping it along its line, one crossing it, and rods."""
    doc = ezdxf.new("R2010")
    doc.header["$INSUNITS"] = 6
    msp = doc.modelspace()
    grid = {"layer": "GRID"}
    msp.add_line((x0, y0, z), (x0 + 10, y0, z), dxfattribs=grid)
    msp.add_line((x0 + 10, y0 + 0.0005, z), (x0, y0 + 0.0005, z), dxfattribs=grid)
    msp.add_line((x0 + 5, y0, z), (x0 + 15, y0, z), dxfattribs=grid)
    msp.add_line((x0 + 5, y0 - 5, z), (x0 + 5, y0 + 5, z), dxfattribs=grid)
    msp.add_point((x0 + 20, y0 + 20, z), dxfattribs={"layer": "RODS"})
    msp.add_circle((x0 + 30, y0 + 20, z), 0.008, dxfattribs={"layer": "RODS"})
    msp.add_circle((x0 + 40, y0 + 20, z), 0.008, dxfattribs={"layer": "LOOSE"})
    doc.saveas(path)


def write(out):
    for version in VERSIONS:
        kinds(version, "%s/kinds_%s.dxf" % (out, version))
    for code in (1, 2, 4, 5, 6):
        units(code, "%s/units_%d.dxf" % (out, code))
    doc = ezdxf.new("R12")
    doc.modelspace().add_line((0, 0, 0), (100, 0, 0), dxfattribs={"layer": "GRID"})
    doc.saveas(out + "/units_none.dxf")
    bulge(out + "/bulge.dxf")
    nested(out + "/nested.dxf")
    hostile(out)
    plan(out + "/plan.dxf", 0, 0, -0.5)
    plan(out + "/plan_flat.dxf", 0, 0, 0)
    plan(out + "/site.dxf", 500123.4, 4000456.7, -0.5)


def check(path):
    doc = ezdxf.readfile(path)
    msp = doc.modelspace()
    counts = {}
    for entity in msp:
        counts[entity.dxftype()] = counts.get(entity.dxftype(), 0) + 1
    lines = [[list(e.dxf.start), list(e.dxf.end), e.dxf.layer] for e in msp.query("LINE")]
    polylines = [[[list(p) for p in e.points()], e.is_closed, e.dxf.layer]
                 for e in msp.query("POLYLINE")]
    circles = [[list(e.dxf.center), e.dxf.radius, e.dxf.layer] for e in msp.query("CIRCLE")]
    texts = [[e.dxf.text, e.dxf.layer] for e in msp.query("TEXT")]
    json.dump({
        "version": doc.dxfversion,
        "insunits": doc.header.get("$INSUNITS", 0),
        "layers": {layer.dxf.name: layer.dxf.color for layer in doc.layers},
        "counts": counts,
        "lines": lines,
        "polylines": polylines,
        "circles": circles,
        "texts": texts,
    }, sys.stdout)


if __name__ == "__main__":
    if len(sys.argv) == 3 and sys.argv[1] == "write":
        write(sys.argv[2])
    elif len(sys.argv) == 3 and sys.argv[1] == "check":
        check(sys.argv[2])
    else:
        sys.exit(__doc__)
