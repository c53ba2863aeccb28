#pragma once

#include "cad/DxfDrawing.h"
#include "cad/DxfSource.h"
#include "cad/Placement.h"

#include <string>
#include <vector>

namespace tav::cad {

// Turns a drawing's entities into polylines and points in world coordinates: arcs cut
// into chords, blocks placed (their nesting already checked by BlockGraph). An entity on
// layer 0 within a block takes the layer of the INSERT that places it, as CAD draws it.
class DxfFlattener {
public:
    DxfFlattener(const DxfSource &source, const DxfReadOptions &options);

    void run();
    std::vector<DxfPolyline> takePolylines() { return std::move(m_polylines); }
    std::vector<DxfPoint> takePoints() { return std::move(m_points); }
    DxfEntityCounts takeIgnored() { return std::move(m_ignored); }

private:
    void place(const std::vector<DxfSourceEntity> &entities, const DxfEntityCounts &others,
               const Placement &placement, const std::string *insertLayer);
    void placeOne(const DxfSourceEntity &entity, const Placement &placement,
                  const std::string &layer);
    void placeInsert(const DxfSourceEntity &insert, const Placement &placement,
                     const std::string &layer);
    void takePolyline(const DxfSourceEntity &entity, const Placement &placement,
                      const std::string &layer);
    std::vector<DxfVertex> localVertices(const DxfSourceEntity &entity, double maxChord) const;

    const DxfSource &m_source;
    DxfReadOptions m_options;
    std::vector<DxfPolyline> m_polylines;
    std::vector<DxfPoint> m_points;
    DxfEntityCounts m_ignored;
};

} // namespace tav::cad
