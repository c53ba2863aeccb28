#pragma once

#include "core/earthing/EarthingInput.h"
#include "core/earthing/EarthingResult.h"
#include "report/PlaceLimits.h"

#include <QColor>
#include <QLineF>
#include <QPolygonF>
#include <QRectF>
#include <QString>

#include <optional>
#include <utility>
#include <vector>

class QPainter;

// The plan of an earthing system seen from above, drawn with a QPainter so that the study
// window and its report draw the same: the conductors (energised and floating apart),
// rods as dots, the touch areas (outlined, a fence's band as a strip of its width), the
// surface layer's zone hatched, the touch points, and after a solve a map of the raster's
// cells (potential, touch or step voltage; grey where the map has no value), the contour
// of the tolerable voltage on it, the worst touch of every area and the worst step marked,
// and the profile line.
class PlanPicture {
public:
    enum class Map { None, Potential, Touch, Step };

    std::vector<tav::earthing::Conductor> conductors;
    const tav::earthing::EarthingResult *result = nullptr; // not owned; none before a solve
    Map map = Map::None;
    // The contour's level on a touch or step map, each place's own: none, or one level, or
    // the surface layer's inside its zone and the bare soil's outside.
    PlaceLimits tolerable;
    std::optional<QLineF> profile; // m
    QString unit;                  // of the legend, "V"
    // The map is of the system as it was solved, which has changed since: drawn faded,
    // without the worst places, under the system as it is now.
    bool stale = false;
    // The places of the system as it is now, drawn while there is no solve or it is stale;
    // a current solve's own are drawn otherwise.
    std::vector<tav::earthing::TouchArea> touchAreas;
    std::vector<tav::earthing::TouchPoint> touchPoints;
    std::vector<tav::earthing::Point2> surfaceZone; // empty: everywhere
    // A polygon being drawn on the plan, m: its corners so far and where the cursor is.
    std::optional<QPolygonF> drawing;
    // The map's legend in a strip of the device's right; a picture that draws its own
    // legend elsewhere (a scaled plan) turns it off and has all of the device for the plan.
    bool legend = true;
    // Whether the touch points widen the extent: a map's field is computed round the
    // system only, and a remote point (a transferred potential's) would shrink it to a
    // corner of the page; the points' table gives their values.
    bool pointsInExtent = true;
    // Where north lies on the plan, in degrees from +y towards +x; the plan to scale's arrow
    // points there.
    double north = 0;

    // What a cell without a value is filled with, inside the raster.
    static QColor noValueColour() { return {214, 214, 214}; }

    // The symbols the plan draws, as its key names them.
    enum class Symbol {
        Energised, // a conductor of group 0
        Floating,  // a conductor of a floating group
        EnergisedRod,
        FloatingRod,
        TouchArea,   // outlined
        FenceBand,   // a fence's reach, a strip of its width
        SurfaceZone, // hatched
        TouchPoint,
        WorstTouch,     // group 0's
        AreaWorstTouch, // every other area's
        WorstStep,      // from the higher point to the lower
    };
    // Those this picture draws, in the key's order.
    std::vector<Symbol> symbols() const;
    // A symbol drawn as the plan draws it, in a box of the key.
    static void paintSymbol(QPainter &painter, Symbol symbol, const QRectF &box);

    // The conductors' extent with a margin, and the step area when solved: the world
    // rectangle to show first.
    QRectF extent() const;
    void paint(QPainter &painter, const QRectF &device, const QRectF &world) const;
    // Where in device the plan itself is drawn: all of it, less a strip on the right for
    // the map's legend when a map is shown.
    QRectF planArea(const QRectF &device, double lineHeight) const;

    // The map's value at every raster node, NaN where it has none (touch: outside the
    // touch area; step: where no step fits): potential, GPR - potential, or the raster
    // step of RasterSteps, as the search scores it.
    static std::vector<double> mapValues(const tav::earthing::EarthingResult &result, Map map);

private:
    void paintMap(QPainter &painter, const QRectF &device, const QRectF &world) const;
    void paintLegend(QPainter &painter, const QRectF &device) const;
    std::pair<double, double> mapRange() const; // of the map's values
    void paintConductors(QPainter &painter, const QRectF &device, const QRectF &world) const;
    void paintMarks(QPainter &painter, const QRectF &device, const QRectF &world) const;
    static void paintCross(QPainter &painter, const QPointF &at, double size);
    void paintPlaces(QPainter &painter, const QRectF &device, const QRectF &world) const;
    void paintTouchPoints(QPainter &painter, const QRectF &device, const QRectF &world) const;
    void paintDrawing(QPainter &painter, const QRectF &device, const QRectF &world) const;
    // The places drawn: the solve's while it is current, else the system's as it is now.
    bool solvedPlaces() const { return result && !stale; }
    const std::vector<tav::earthing::TouchArea> &shownAreas() const;
    const std::vector<tav::earthing::TouchPoint> &shownPoints() const;
    const std::vector<tav::earthing::Point2> &shownZone() const;
};
