#pragma once

#include "cad/DxfPlan.h"
#include "document/SystemDocument.h"
#include "document/SystemStudy.h"

#include <string>

// A solved system as a drawing for the site plan, in metres about the document's origin
// (the writer moves it to site_origin): each part's conductors as LINEs on a layer of its
// own ("PART_1_GRIDS"), its rods as CIRCLEs of their radius beside ("PART_1_GRIDS_RODS"),
// depths below the surface as negative z; the touch areas, fences' lines and the surface
// layer's zone as closed polylines; the worst touch and step as POINTs with their volts
// in TEXT; the raster's bounds; and the isolines of the surface potential and the touch
// voltage at the report's round levels, a layer per level ("POTENTIAL_100V", "TOUCH_300V"),
// with the tolerable touch voltage's on TOUCH_TOLERABLE when the study has criteria; each
// line with its value in TEXT at its middle, along it.
class DxfExport {
public:
    static tav::cad::DxfPlan plan(const tav::SystemDocument &document,
                                  const tav::SystemEvaluation &evaluation);
    // The layer of a part's conductors: "PART_<its number among its kind's, from 1>_<KEY>".
    static std::string partLayer(const tav::ConductorSource &source);

private:
    static void addConductors(tav::cad::DxfPlan &plan, const tav::SystemDocument &document);
    static void addPlaces(tav::cad::DxfPlan &plan, const tav::earthing::EarthingResult &result);
    static void addWorst(tav::cad::DxfPlan &plan, const tav::earthing::EarthingResult &result);
    static void addIsolines(tav::cad::DxfPlan &plan, const tav::SystemEvaluation &evaluation);
};
