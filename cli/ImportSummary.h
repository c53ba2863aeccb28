#pragma once

#include "cad/ImportedPlan.h"

#include <QString>

#include <map>
#include <string>

// What tav-calc dxf-import took from a drawing, with what it was told.
struct ImportOutcome {
    tav::cad::ImportedPlan plan;
    QString name; // the drawing's file name
    std::map<std::string, tav::cad::LayerMapping> layers;
    bool summaryOnly = false; // --format text
};

// The summary of an import, a line each: conductors, rods, duplicates merged, crossings
// joined, the origin, what was left out on each layer and why, and what was ignored on
// each layer, as "ignored: 12 TEXT, 3 HATCH on layer ANNOT".
class ImportSummary {
public:
    static std::string text(const ImportOutcome &outcome);

private:
    static QString leftOut(const ImportOutcome &outcome);
    static QString ignored(const tav::cad::DxfEntityCounts &counts);
};
