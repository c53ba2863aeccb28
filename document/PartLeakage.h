#pragma once

#include "core/earthing/ConductorLeakage.h"
#include "core/earthing/EarthingResult.h"
#include "document/SystemDocument.h"

#include <QString>

#include <functional>
#include <vector>

namespace tav {

// The current one part of the system leaks into the soil: a grid's conductors, its rods
// apart, a fence's posts apart, each conductor given on its own.
struct PartLeakageRow {
    PartKind kind = PartKind::Conductor;
    int index = 0; // in its array, from 0
    QString field; // "rods", "rod", "posts" or empty, as ConductorSource's
    int group = 0;
    double current = 0; // A
    // Of the current injected into group 0; a floating part's nets to nothing with the
    // rest of its group, and may be of either sign.
    double share = 0;
    double length = 0; // m
    QString given; // the name the document gives the part (an imported drawing's), or none

    double density() const { return length > 0 ? current / length : 0; }
    // As tav-calc system --expand names it: "grids[0].rods".
    QString path() const;
};

// Every part's leakage and every conductor's, from one solve of the document.
struct SystemLeakage {
    std::vector<PartLeakageRow> parts; // in the order of the conductors they expand into
    std::vector<earthing::ConductorLeakage> conductors;
    double injected = 0; // A, group 0's

    // A row per part that leaks: from its conductors' sources, in their order.
    static SystemLeakage of(const std::vector<ConductorSource> &sources,
                            const earthing::EarthingResult &result);
    static SystemLeakage of(const SystemDocument &document, const earthing::EarthingResult &result);

    // As a person reads it: "Grid 1", "Grid 1 rods", "Fence 1 posts", "Conductor 3"; a
    // drawing by the name it has, "yard.dxf", "yard.dxf rods".
    static QString name(const PartLeakageRow &row, const std::function<QString(unsigned)> &text);
};

} // namespace tav
