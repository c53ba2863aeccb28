#pragma once

#include "core/TolerableVoltage.h"
#include "core/design/DesignBrief.h"
#include "core/design/DesignRecord.h"
#include "core/earthing/ConductorLayout.h"
#include "core/earthing/EarthingInput.h"
#include "core/earthing/EarthingResult.h"
#include "document/DocumentError.h"
#include "document/DrawingPart.h"
#include "document/InputOrigin.h"
#include "document/NetworkJson.h"
#include "document/PartSchema.h"
#include "document/StudyCase.h"

#include <QByteArray>
#include <QJsonObject>

#include <optional>
#include <vector>

namespace tav {

// Where a conductor of the expanded document came from: the part (its array's kind and
// its index there, from 0) and the field that shapes it, when one does: "rods" for a
// grid's or an L's rods, "rod" for a ring's, "posts" for a fence's; empty otherwise.
struct ConductorSource {
    PartKind kind;
    int index;
    QString field;

    // Its path in the document: "grids[0].rods", "drawings[1].conductors[3]".
    QString path() const;
};

// The JSON document of an earthing system, as tav-calc system reads it and the study
// window keeps it: soil, current, conductors, the convenient shapes that expand into
// conductors (grids and L-shaped grids with their rods, rods at points, rings of rods,
// fences), the touch areas and touch points given besides those the shapes give, points,
// search and segment length; the safety criteria of the tolerable voltages with where the
// surface layer lies, and the study window's own settings, which only the window reads.
// README and the man page describe it; its soil is the shape tav-calc soil-model writes.
class SystemDocument {
public:
    // The latest version of the document this program reads; a document without one is of
    // version 1. Version 2 brought imported drawings and the site origin, version 3 the
    // network, version 4 the cases, version 5 the design and the record of one (which came
    // together, before either was released): a document is written as the
    // lowest version that holds what it has (version()), so that an older program still
    // opens what it can read and refuses the rest as newer.
    static constexpr int kVersion = 5;
    static constexpr int kFirstVersion = 1;
    int version() const;
    // The same for a document that has drawings or a site origin, a network, cases, a
    // design or a design's record, or none of them.
    static int versionFor(bool drawingsOrOrigin, bool network = false, bool cases = false,
                          bool design = false);
    // The most layers a soil takes, as many as tav-calc soil-model fits.
    static constexpr int kMaxLayers = 5;
    // Checks a document's version (absent: 1), first of all, so that a newer document is
    // refused as newer rather than for a key this program does not know.
    static void readVersion(const QJsonValue &value, DocumentError &error);
    // A soil as the document's "soil" takes it, at path (a case's "cases[1].soil").
    static earthing::EarthingSoil readSoilAt(const QJsonValue &value, const QString &path,
                                             DocumentError &error);

    // Rods on a grid: count evenly spaced along its edge from the corner at its origin, or
    // at its four corners; from the grid's depth down.
    struct GridRods {
        int count = 0;
        bool corners = false;
        double length = 0;
        double diameter = 0;
    };
    struct Grid {
        earthing::RectangularGrid grid;
        std::optional<GridRods> rods;
    };
    struct LGrid {
        earthing::LShapedGrid grid;
        std::optional<GridRods> rods; // corners: the L's six
    };
    struct Fence {
        earthing::Fence fence;
        // A group of its own when left out: one above every other part's.
        std::optional<int> group;
    };
    struct Rods {
        std::vector<earthing::Point2> at;
        double top = 0;
        double length = 0;
        double diameter = 0;
        int group = 0;
    };

    earthing::EarthingSoil soil;
    // The soil given twice, as layers and as rho1, rho2 and h, as soil-model writes one or
    // two layers: the two agree, and both are written back.
    bool soilLayersBeside = false;
    std::optional<InputOrigin::Soil> soilOrigin;
    // Without a network, the current group 0 takes to earth; with one, the current is
    // Df I_E, which the evaluation works out, and current is left 0.
    double current = 0;
    std::optional<InputOrigin::Current> currentBasis;
    // The lines and cables that feed a fault in the station, in place of a typed current.
    std::optional<NetworkPart> network;
    std::vector<earthing::Conductor> conductors;
    std::vector<Grid> grids;
    std::vector<Rods> rods;
    std::vector<LGrid> lGrids;
    std::vector<earthing::RodRing> rings;
    // Imported from CAD drawings, one part per file; expanded after the rings, before the
    // fences, which stand round them.
    std::vector<DrawingPart> drawings;
    std::vector<Fence> fences;
    // Drawn round equipment the shapes do not cover; kind Given, part their index.
    std::vector<earthing::TouchArea> touchAreas;
    // False: the touch areas are the given ones alone, none of the shapes' or the clusters'
    // (shape_touch_areas), as an expanded document writes every one of them out.
    bool shapesGiveTouchAreas = true;
    std::vector<earthing::TouchPoint> touchPoints;
    std::vector<earthing::Point2> points;
    earthing::SearchOptions search;
    double segmentLength = 1;
    // Where north lies on the plan, in degrees from +y towards +x (clockwise seen from
    // above): the report's north arrow; nothing is computed from it.
    double north = 0;
    std::optional<SafetyCriteria> safety;
    // safety.surface/area: the polygon the surface layer lies in; empty, everywhere (or,
    // without a surface layer, nowhere). Kept here since SafetyCriteria holds no plan.
    std::vector<earthing::Point2> surfaceZone;
    // The site coordinates (m) of the document's 0, 0, so that an exported drawing lands on
    // the site plan it was imported from; none: 0, 0.
    std::optional<earthing::Point2> siteOrigin;
    // The variants of soil, fault and criteria the layout is judged under; none: the study
    // is its one case.
    std::vector<StudyCase> cases;
    // Where and of what tav-calc design lays out the layout of least cost; the document's
    // own parts stay beside it.
    std::optional<design::DesignBrief> design;
    // How tav-calc design found the layout, kept as read when the layout is edited since.
    std::optional<design::DesignRecord> designed;
    QJsonObject studyWindow; // written back as read

    // The conductors as given, then each grid's with its rods, the rods at points, each
    // L-shaped grid's with its rods, the rings, and last the fences round what is energised
    // before them: the solver numbers them in this order. The touch areas: the clusters of
    // the conductors as given, each grid's, L's, ring's and fence's outline or band (unless
    // shapesGiveTouchAreas is false), then the given ones. Only for a document whose
    // expansion is not refused (a fence's spacing of a nanometre would ask for tens of
    // gigabytes): a caller that does not know it sound asks expanded().
    earthing::EarthingInput input() const;
    // input(), or the refusal of the first part that takes the document's conductors past
    // what the solver takes (Error::TooManyConductors: the conductors up to that part, and
    // the limit), each part counted before any is expanded; refusedPart is that part's
    // path, as "fences[0]".
    struct Expansion {
        Refusable<earthing::EarthingInput> input;
        QString refusedPart;
    };
    Expansion expanded() const;
    // For each of input()'s conductors, in its order, the part it came from.
    std::vector<ConductorSource> sources() const;
    // Each fence's group as expanded: its own, or one above every other part's.
    std::vector<int> fenceGroups() const;

    // A new study's document without its parts, as the study window starts one: uniform
    // soil of 100 ohm m, 1000 A, and IEEE Std 80's criteria for 0.5 s and 70 kg without a
    // surface layer.
    static SystemDocument made();

    QByteArray toJson() const;
    // Either the document or why not (error.kind is None when read).
    static SystemDocument fromJson(const QByteArray &json, DocumentError &error);

    // The result as tav-calc system --format json writes it.
    static QByteArray resultJson(const earthing::EarthingResult &result);

private:
    std::vector<earthing::Conductor> expandParts(std::vector<ConductorSource> &sources) const;
    // The path of the first part whose conductors pass the limit, counted; empty when none.
    QString partBeyond(double limit, double &conductors) const;
    void appendStudyParts(std::vector<earthing::Conductor> &conductors,
                          std::vector<ConductorSource> &sources) const;
    void writeStudyParts(QJsonObject &o) const;
    void appendDrawingAreas(std::vector<earthing::TouchArea> &areas) const;
    std::vector<earthing::TouchArea>
    shapeTouchAreas(const std::vector<earthing::Conductor> &all,
                    const std::vector<ConductorSource> &from) const;
    // A touch area's or touch point's group that no part has, at its path.
    void checkGroups(DocumentError &error) const;
};

} // namespace tav
