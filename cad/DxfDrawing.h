#pragma once

#include "cad/DrawingUnit.h"
#include "cad/DxfGeometry.h"
#include "core/errors.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tav::cad {

// How much of a drawing is read before it is refused: a drawing of an earthing system
// holds thousands of entities, not millions, and its blocks are rod symbols a level or
// two deep.
struct DxfReadLimits {
    static constexpr std::size_t kFileBytes = std::size_t(64) << 20;
    static constexpr std::size_t kEntities = 1000000;
    static constexpr int kBlockDepth = 16;

    std::size_t fileBytes = kFileBytes;
    // Every entity, those of a block counted each time the block is placed.
    std::size_t entities = kEntities;
    int blockDepth = kBlockDepth;
};

struct DxfReadOptions {
    // The longest chord an arc (an ARC, a polyline's bulge) is cut into, in drawing units.
    double maxChord = 0.5;
    // Whether the lines a block holds are taken where it is inserted; otherwise a block is
    // a rod symbol, its insertion point the rod and the rest of it not looked at.
    bool expandBlocks = false;
    DxfReadLimits limits;
};

// An ASCII DXF drawing (R12 to 2018) flattened into what an earthing system's import
// needs: polylines, points and a count of the rest. Read by a parser of its own, whose
// coordinates are doubles: site coordinates of millions of units keep their millimetres.
class DxfDrawing {
public:
    static Refusable<DxfDrawing> read(const std::string &path, const DxfReadOptions &options = {});
    static Refusable<DxfDrawing> fromText(std::string_view text, const DxfReadOptions &options = {});

    // $INSUNITS as the file gives it, when it does.
    std::optional<int> insunitsCode() const { return m_insunits; }
    // The unit it names, when it is one a site is drawn in.
    std::optional<DrawingUnit> units() const;

    const std::vector<DxfPolyline> &polylines() const { return m_polylines; }
    const std::vector<DxfPoint> &points() const { return m_points; }
    // Entities not taken, by type and layer: TEXT, HATCH, SPLINE, ..., and those whose
    // extrusion direction is not +Z, which would otherwise be misplaced.
    const DxfEntityCounts &ignored() const { return m_ignored; }

    DxfDrawing(std::optional<int> insunits, std::vector<DxfPolyline> polylines,
               std::vector<DxfPoint> points, DxfEntityCounts ignored);

private:
    std::optional<int> m_insunits;
    std::vector<DxfPolyline> m_polylines;
    std::vector<DxfPoint> m_points;
    DxfEntityCounts m_ignored;
};

} // namespace tav::cad
