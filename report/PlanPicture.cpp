#include "report/PlanPicture.h"

#include "core/earthing/RasterSteps.h"
#include "core/earthing/TouchRegion.h"
#include "report/ColourScale.h"
#include "report/Contour.h"
#include "report/PlanTransform.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <limits>

using namespace tav::earthing;

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
const QColor kEnergised(180, 40, 30);
const QColor kFloating(30, 90, 200);
const QColor kOutline(70, 70, 70);
const QColor kZone(120, 120, 120, 150);

bool isRod(const Conductor &c) {
    return std::hypot(c.to.x - c.from.x, c.to.y - c.from.y) < 1e-6;
}

QRectF rasterRect(const RasterGrid &g) {
    return QRectF(QPointF(g.x0, g.y0), QPointF(g.x(g.nx - 1), g.y(g.ny - 1))).normalized();
}

QPolygonF polygon(const std::vector<Point2> &corners, const PlanTransform &t) {
    QPolygonF out;
    for (const Point2 &p : corners)
        out << t.toDevice(QPointF(p.x, p.y));
    return out;
}

} // namespace

std::vector<double> PlanPicture::mapValues(const EarthingResult &result, Map map) {
    const RasterGrid &grid = result.raster;
    std::vector<double> values(result.rasterPotential.size(), kNaN);
    if (map == Map::Step) {
        const RasterSteps steps(grid, result.rasterPotential, result.inStepArea);
        for (std::size_t k = 0; k < values.size(); ++k)
            if (std::isfinite(steps.scores()[k]))
                values[k] = steps.scores()[k];
        return values;
    }
    if (map == Map::Potential)
        return result.rasterPotential;
    // The touch of the metal within reach: of the areas over the node, the worst.
    std::vector<TouchRegion> regions;
    for (const TouchArea &area : result.touchAreas)
        regions.emplace_back(area);
    for (int j = 0; j < grid.ny; ++j)
        for (int i = 0; i < grid.nx; ++i) {
            const std::size_t k = std::size_t(j) * grid.nx + i;
            if (!result.inTouchArea[k])
                continue;
            for (std::size_t a = 0; a < regions.size(); ++a)
                if (regions[a].contains({grid.x(i), grid.y(j)})) {
                    const double touch =
                        std::abs(result.areas[a].metal - result.rasterPotential[k]);
                    values[k] = std::isnan(values[k]) ? touch : std::max(values[k], touch);
                }
        }
    return values;
}

QRectF PlanPicture::extent() const {
    QRectF box;
    for (const Conductor &c : conductors)
        box |= QRectF(QPointF(c.from.x, c.from.y), QPointF(c.to.x, c.to.y))
                   .normalized()
                   .adjusted(-1e-3, -1e-3, 1e-3, 1e-3);
    if (result && result->raster.size() > 0)
        box |= rasterRect(result->raster);
    for (const TouchArea &area : shownAreas())
        for (const Point2 &p : area.outline)
            box |= QRectF(p.x - 1e-3, p.y - 1e-3, 2e-3, 2e-3);
    for (const TouchPoint &p : shownPoints())
        if (pointsInExtent)
            box |= QRectF(p.at.x - 1e-3, p.at.y - 1e-3, 2e-3, 2e-3);
    if (box.isNull())
        box = QRectF(-10, -10, 20, 20);
    const double margin = 0.05 * std::max(box.width(), box.height()) + 1;
    return box.adjusted(-margin, -margin, margin, margin);
}

QRectF PlanPicture::planArea(const QRectF &device, double lineHeight) const {
    if (!result || map == Map::None || !legend)
        return device;
    return device.adjusted(0, 0, -std::min(6.5 * lineHeight, device.width() / 3), 0);
}

void PlanPicture::paint(QPainter &painter, const QRectF &device, const QRectF &world) const {
    painter.save();
    painter.setClipRect(device);
    painter.fillRect(device, Qt::white);
    // The legend has a strip of its own, so that it covers nothing of the plan.
    const QRectF plan = planArea(device, painter.fontMetrics().height());
    painter.setClipRect(plan);
    if (result && map != Map::None) {
        paintMap(painter, plan, world);
        if (stale) // faded under a veil, whole cells without seams
            painter.fillRect(plan, QColor(255, 255, 255, 170));
    }
    paintPlaces(painter, plan, world);
    paintConductors(painter, plan, world);
    paintTouchPoints(painter, plan, world);
    if (result && !stale)
        paintMarks(painter, plan, world);
    if (drawing)
        paintDrawing(painter, plan, world);
    if (profile) {
        const PlanTransform t(world, plan);
        painter.setPen(QPen(Qt::black, 1.5, Qt::DashDotLine));
        painter.drawLine(t.toDevice(profile->p1()), t.toDevice(profile->p2()));
    }
    painter.setClipRect(device);
    painter.setPen(Qt::black); // the conductors' colour is not the legend's
    if (result && map != Map::None && legend)
        paintLegend(painter, device);
    painter.restore();
}

void PlanPicture::paintLegend(QPainter &painter, const QRectF &device) const {
    const auto [lo, hi] = mapRange();
    if (!(hi >= lo))
        return;
    const double line = painter.fontMetrics().height();
    const QRectF legend(device.right() - 6 * line, device.top() + 0.5 * line, 5.5 * line,
                        std::min(device.height() - line, 14 * line));
    ColourScale(lo, hi).paintLegend(painter, legend, unit);
}

std::pair<double, double> PlanPicture::mapRange() const {
    double lo = std::numeric_limits<double>::infinity();
    double hi = -lo;
    for (double v : mapValues(*result, map))
        if (std::isfinite(v)) {
            lo = std::min(lo, v);
            hi = std::max(hi, v);
        }
    return {lo, hi};
}

void PlanPicture::paintMap(QPainter &painter, const QRectF &device, const QRectF &world) const {
    const std::vector<double> values = mapValues(*result, map);
    const RasterGrid &grid = result->raster;
    const auto [lo, hi] = mapRange();
    if (!(hi >= lo))
        return;
    const ColourScale scale(lo, hi);
    const PlanTransform t(world, device);
    const double half = grid.step / 2;
    for (int j = 0; j < grid.ny; ++j)
        for (int i = 0; i < grid.nx; ++i) {
            const double v = values[std::size_t(j) * grid.nx + i];
            const QRectF cell = t.toDevice(
                QRectF(QPointF(grid.x(i) - half, grid.y(j) - half), QSizeF(grid.step, grid.step)));
            // No value (no metal within reach, no step that fits): grey, not the paper's
            // white, so that it is not read as the scale's lowest.
            if (cell.intersects(device))
                painter.fillRect(cell.adjusted(0, 0, 0.5, 0.5),
                                 std::isfinite(v) ? scale.colour(v) : noValueColour());
        }
    if (map == Map::Potential)
        return;
    tolerable.drawSides(painter, t, device, [&](double level, bool onLayer) {
        QVector<QLineF> lines = Contour::lines(grid, values, level);
        for (QLineF &l : lines)
            l = QLineF(t.toDevice(l.p1()), t.toDevice(l.p2()));
        painter.setPen(QPen(Qt::white, 2.5));
        painter.drawLines(lines);
        painter.setPen(QPen(Qt::black, 1.2, onLayer ? Qt::DashLine : Qt::DashDotLine));
        painter.drawLines(lines);
    });
}

void PlanPicture::paintConductors(QPainter &painter, const QRectF &device,
                                  const QRectF &world) const {
    const PlanTransform t(world, device);
    painter.setRenderHint(QPainter::Antialiasing);
    for (const Conductor &c : conductors) {
        const QColor colour = c.group == 0 ? kEnergised : kFloating;
        const QPointF a = t.toDevice(QPointF(c.from.x, c.from.y));
        if (isRod(c)) {
            painter.setPen(Qt::NoPen);
            painter.setBrush(colour);
            painter.drawEllipse(a, 3.5, 3.5);
        } else {
            painter.setPen(QPen(colour, 2, Qt::SolidLine, Qt::RoundCap));
            painter.drawLine(a, t.toDevice(QPointF(c.to.x, c.to.y)));
        }
    }
}

const std::vector<TouchArea> &PlanPicture::shownAreas() const {
    return solvedPlaces() ? result->touchAreas : touchAreas;
}

const std::vector<TouchPoint> &PlanPicture::shownPoints() const {
    return solvedPlaces() ? result->touchPoints : touchPoints;
}

const std::vector<Point2> &PlanPicture::shownZone() const {
    return solvedPlaces() ? result->surfaceZone : surfaceZone;
}

// The surface layer's zone hatched, lightly enough to read the map through it; the touch
// areas outlined, a fence's band a translucent strip of its width, so that where a hand
// reaches is seen as the search takes it.
void PlanPicture::paintPlaces(QPainter &painter, const QRectF &device, const QRectF &world) const {
    const PlanTransform t(world, device);
    painter.setRenderHint(QPainter::Antialiasing);
    if (const QPolygonF zone = polygon(shownZone(), t); !zone.isEmpty()) {
        painter.setPen(QPen(kZone, 1, Qt::DashLine));
        painter.setBrush(QBrush(kZone, Qt::BDiagPattern));
        painter.drawPolygon(zone);
    }
    painter.setBrush(Qt::NoBrush);
    for (const TouchArea &area : shownAreas()) {
        const QPolygonF outline = polygon(area.outline, t);
        if (area.band > 0) {
            QColor strip = area.group == 0 ? kEnergised : kFloating;
            strip.setAlpha(45);
            painter.setPen(
                QPen(strip, 2 * area.band * t.scale(), Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
        } else {
            painter.setPen(QPen(kOutline, 1));
        }
        if (area.open && area.band > 0)
            painter.drawPolyline(outline); // a fence that does not close
        else
            painter.drawPolygon(outline);
    }
}

void PlanPicture::paintTouchPoints(QPainter &painter, const QRectF &device,
                                   const QRectF &world) const {
    const PlanTransform t(world, device);
    painter.setRenderHint(QPainter::Antialiasing);
    for (const TouchPoint &p : shownPoints()) {
        const QPointF at = t.toDevice(QPointF(p.at.x, p.at.y));
        painter.setPen(QPen(Qt::white, 1.5));
        painter.setBrush(p.group == 0 ? kEnergised : kFloating);
        painter.drawEllipse(at, 4, 4);
        const QString name = QString::fromStdString(p.name);
        if (name.isEmpty())
            continue;
        // Left of the point where the name would run past the plan's edge.
        const double width = QFontMetricsF(painter.font()).horizontalAdvance(name);
        const QPointF text = at.x() + 7 + width > device.right() ? at + QPointF(-7 - width, -4)
                                                                 : at + QPointF(7, -4);
        painter.setPen(QPen(Qt::white, 3));
        QPainterPath path;
        path.addText(text, painter.font(), name);
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(path); // a halo, to read the name over the map
        painter.setPen(Qt::black);
        painter.drawText(text, name);
    }
}

void PlanPicture::paintDrawing(QPainter &painter, const QRectF &device, const QRectF &world) const {
    const PlanTransform t(world, device);
    QPolygonF corners;
    for (const QPointF &p : *drawing)
        corners << t.toDevice(p);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(QColor(255, 170, 0, 40));
    painter.setPen(QPen(QColor(200, 100, 0), 1.5, Qt::DashLine));
    painter.drawPolygon(corners);
    painter.setBrush(QColor(200, 100, 0));
    painter.setPen(Qt::NoPen);
    for (const QPointF &c : corners)
        painter.drawEllipse(c, 2.5, 2.5);
}

// A circled cross, size its half-width: the worst touch of an area.
void PlanPicture::paintCross(QPainter &painter, const QPointF &at, double size) {
    for (const auto &[colour, width] : {std::pair{QColor(Qt::white), size > 7 ? 4.0 : 3.0},
                                        std::pair{QColor(Qt::black), size > 7 ? 1.8 : 1.2}}) {
        painter.setPen(QPen(colour, width));
        painter.drawEllipse(at, 0.7 * size, 0.7 * size);
        painter.drawLine(at + QPointF(-size, 0), at + QPointF(size, 0));
        painter.drawLine(at + QPointF(0, -size), at + QPointF(0, size));
    }
}

void PlanPicture::paintMarks(QPainter &painter, const QRectF &device, const QRectF &world) const {
    const PlanTransform t(world, device);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(Qt::NoBrush);
    // Touch: a circled cross, group 0's worst large, every other area's small; step: an
    // arrow from the higher to the lower point.
    for (const AreaResult &area : result->areas) {
        const TouchMaximum &worst = area.worst();
        const bool groupWorst = result->touchMax && worst.at.x == result->touchMax->at.x &&
                                worst.at.y == result->touchMax->at.y;
        if (std::isfinite(worst.voltage) && !groupWorst)
            paintCross(painter, t.toDevice(QPointF(worst.at.x, worst.at.y)), 6);
    }
    if (result->touchMax)
        paintCross(painter, t.toDevice(QPointF(result->touchMax->at.x, result->touchMax->at.y)),
                   10);
    for (const auto &[colour, width] :
         {std::pair{QColor(Qt::white), 4.0}, std::pair{QColor(Qt::black), 1.8}}) {
        painter.setPen(QPen(colour, width));
        const QPointF from = t.toDevice(QPointF(result->stepMax.from.x, result->stepMax.from.y));
        const QPointF to = t.toDevice(QPointF(result->stepMax.to.x, result->stepMax.to.y));
        painter.drawLine(from, to);
        painter.drawEllipse(from, 3, 3);
        const QLineF back = QLineF(to, from);
        for (double turn : {25.0, -25.0}) {
            QLineF head = back;
            head.setLength(8);
            head.setAngle(back.angle() + turn);
            painter.drawLine(head);
        }
    }
}

std::vector<PlanPicture::Symbol> PlanPicture::symbols() const {
    bool shown[int(Symbol::WorstStep) + 1] = {};
    for (const Conductor &c : conductors) {
        const bool energised = c.group == 0;
        shown[int(isRod(c) ? (energised ? Symbol::EnergisedRod : Symbol::FloatingRod)
                           : (energised ? Symbol::Energised : Symbol::Floating))] = true;
    }
    for (const TouchArea &area : shownAreas())
        shown[int(area.band > 0 ? Symbol::FenceBand : Symbol::TouchArea)] = true;
    shown[int(Symbol::SurfaceZone)] = !shownZone().empty();
    shown[int(Symbol::TouchPoint)] = !shownPoints().empty();
    if (result && !stale) {
        shown[int(Symbol::WorstTouch)] = result->touchMax.has_value();
        for (const AreaResult &area : result->areas)
            shown[int(Symbol::AreaWorstTouch)] |=
                std::isfinite(area.worst().voltage) &&
                !(result->touchMax && area.worst().at.x == result->touchMax->at.x &&
                  area.worst().at.y == result->touchMax->at.y);
        shown[int(Symbol::WorstStep)] = true;
    }
    std::vector<Symbol> out;
    for (int k = 0; k <= int(Symbol::WorstStep); ++k)
        if (shown[k])
            out.push_back(Symbol(k));
    return out;
}

void PlanPicture::paintSymbol(QPainter &painter, Symbol symbol, const QRectF &box) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(Qt::NoBrush);
    const QPointF c = box.center();
    const QLineF across(box.left(), c.y(), box.right(), c.y());
    switch (symbol) {
    case Symbol::Energised:
    case Symbol::Floating:
        painter.setPen(QPen(symbol == Symbol::Energised ? kEnergised : kFloating, 2, Qt::SolidLine,
                            Qt::RoundCap));
        painter.drawLine(across);
        break;
    case Symbol::EnergisedRod:
    case Symbol::FloatingRod:
        painter.setPen(Qt::NoPen);
        painter.setBrush(symbol == Symbol::EnergisedRod ? kEnergised : kFloating);
        painter.drawEllipse(c, 3.5, 3.5);
        break;
    case Symbol::TouchArea:
        painter.setPen(QPen(kOutline, 1));
        painter.drawRect(box.adjusted(1, 1, -1, -1));
        break;
    case Symbol::FenceBand: {
        // Tinted on the plan by its metal's colour, here neither's.
        QColor strip = kOutline;
        strip.setAlpha(60);
        painter.fillRect(box.adjusted(0, box.height() / 4, 0, -box.height() / 4), strip);
        break;
    }
    case Symbol::SurfaceZone:
        painter.setPen(QPen(kZone, 1, Qt::DashLine));
        painter.setBrush(QBrush(kZone, Qt::BDiagPattern));
        painter.drawRect(box.adjusted(1, 1, -1, -1));
        break;
    case Symbol::TouchPoint:
        painter.setPen(QPen(Qt::white, 1.5));
        painter.setBrush(kEnergised);
        painter.drawEllipse(c, 4, 4);
        break;
    case Symbol::WorstTouch:
    case Symbol::AreaWorstTouch:
        paintCross(painter, c,
                   std::min(symbol == Symbol::WorstTouch ? 10.0 : 6.0, box.height() / 2));
        break;
    case Symbol::WorstStep: {
        const QPointF from(box.left() + 3, c.y());
        const QPointF to(box.right() - 1, c.y());
        for (const auto &[colour, width] :
             {std::pair{QColor(Qt::white), 4.0}, std::pair{QColor(Qt::black), 1.8}}) {
            painter.setPen(QPen(colour, width));
            painter.drawLine(from, to);
            painter.drawEllipse(from, 3, 3);
            for (double turn : {25.0, -25.0}) {
                QLineF head(to, from);
                head.setLength(6);
                head.setAngle(QLineF(to, from).angle() + turn);
                painter.drawLine(head);
            }
        }
        break;
    }
    }
    painter.restore();
}
