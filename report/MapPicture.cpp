#include "report/MapPicture.h"

#include "report/ColourScale.h"
#include "report/Contour.h"
#include "report/ReportNumber.h"
#include "report/StudyTexts.h"
#include "text/StringIds.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <limits>

using namespace tav::earthing;
using namespace StringId::PlanPictures;

namespace {

const QColor kTolerable(215, 25, 25);

QVector<QPolygonF> onPage(QVector<QPolygonF> lines, const PlanTransform &t) {
    for (QPolygonF &line : lines)
        for (QPointF &p : line)
            p = t.toDevice(p);
    return lines;
}

} // namespace

MapPicture::MapPicture(const EarthingResult &result, PlanPicture::Map map)
    : m_result(result), m_map(map), m_values(PlanPicture::mapValues(result, map)) {
    m_lo = std::numeric_limits<double>::infinity();
    m_hi = -m_lo;
    for (double v : m_values)
        if (std::isfinite(v)) {
            m_lo = std::min(m_lo, v);
            m_hi = std::max(m_hi, v);
        }
    if (!(m_hi >= m_lo))
        m_lo = m_hi = 0;
    // A step is the larger fall of two opposite senses, never below 0: a flat node's
    // rounding is no level of its own, and would put a 0 V isoline round every mesh's middle.
    if (map == PlanPicture::Map::Step)
        m_lo = std::max(m_lo, 0.0);
}

PlanPicture MapPicture::picture() const {
    PlanPicture p;
    p.conductors = conductors;
    p.result = &m_result;
    p.map = m_map;
    p.legend = false;
    p.pointsInExtent = false;
    p.north = north;
    p.tolerable = PlaceLimits(); // drawn here, red, and marked on the legend
    return p;
}

ScaledPlan MapPicture::layOut(const QRectF &area) const {
    return ScaledPlan(area.adjusted(0, 0, -kLegendWidth, 0), extent());
}

std::optional<MapPicture::Worst> MapPicture::worst() const {
    if (m_map == PlanPicture::Map::Touch && m_result.touchMax)
        return Worst{{m_result.touchMax->at.x, m_result.touchMax->at.y},
                     m_result.touchMax->voltage};
    if (m_map == PlanPicture::Map::Step && m_result.stepMax.voltage > 0) {
        const Point2 middle = m_result.stepMax.middle();
        return Worst{{middle.x, middle.y}, m_result.stepMax.voltage};
    }
    // The potential, or a map whose search found nothing: its highest node.
    const auto highest = std::max_element(m_values.begin(), m_values.end(), [](double a, double b) {
        return !std::isfinite(a) || (std::isfinite(b) && b > a);
    });
    if (highest == m_values.end() || !std::isfinite(*highest))
        return std::nullopt;
    const auto k = std::size_t(highest - m_values.begin());
    const RasterGrid &g = m_result.raster;
    return Worst{{g.x(int(k % std::size_t(g.nx))), g.y(int(k / std::size_t(g.nx)))}, *highest};
}

QString MapPicture::worstText(const StudyTexts &texts) const {
    const std::optional<Worst> w = worst();
    // The potential's is its maximum, no worst: the touch and the step are judged.
    const unsigned id = m_map == PlanPicture::Map::Potential ? kHighestValue : kWorstValue;
    return w ? texts.text(id).arg(ReportNumber::text(w->value)) : QString();
}

// Above and right of the point, or where that runs past the frame, on the other side.
QRectF MapPicture::worstBox(const ScaledPlan &plan, const QFontMetricsF &metrics,
                            const QString &text) const {
    const QPointF at = plan.transform().toDevice(worst()->at);
    const QSizeF size(metrics.horizontalAdvance(text) + 4, metrics.height());
    QRectF box(at + QPointF(7, -7 - size.height()), size);
    if (box.right() > plan.frame().right())
        box.moveRight(at.x() - 7);
    if (box.top() < plan.frame().top())
        box.moveTop(at.y() + 7);
    return box;
}

ContourLabels MapPicture::labels(const ScaledPlan &plan, const QFontMetricsF &metrics,
                                 const StudyTexts &texts) const {
    ContourLabels out(plan.frame());
    if (const std::optional<Worst> w = worst()) {
        out.avoid(QPolygonF(worstBox(plan, metrics, worstText(texts))));
        // The point's own mark, a worst touch's circled cross the largest of them.
        const QPointF at = plan.transform().toDevice(w->at);
        out.avoid(QPolygonF(QRectF(at - QPointF(11, 11), QSizeF(22, 22))));
    }
    for (const QRectF &box : plan.dimensionTexts(grids, conductors, metrics, texts))
        out.avoid(QPolygonF(box));
    for (double level : levels()) {
        const QString text = ReportNumber::given(level);
        out.place(level, text,
                  onPage(Contour::polylines(m_result.raster, m_values, level), plan.transform()),
                  QSizeF(metrics.horizontalAdvance(text) + 4, metrics.height()));
    }
    return out;
}

void MapPicture::paint(QPainter &painter, const QRectF &area, const StudyTexts &texts) const {
    painter.save();
    QFont font = painter.font();
    font.setPointSizeF(7);
    painter.setFont(font);
    const ScaledPlan plan = layOut(area);
    plan.paint(painter, picture(), grids, texts,
               [&](QPainter &p, const PlanTransform &) { paintOverlay(p, plan, texts); });
    paintLegend(painter,
                QRectF(area.right() - kLegendWidth + 8, plan.frame().top(), kLegendWidth - 8,
                       plan.frame().height()),
                texts);
    painter.restore();
}

// The isolines thin and black under their labels, the tolerable voltage's line red and
// dashed on a white edge over them, the worst point's value beside it.
void MapPicture::paintOverlay(QPainter &painter, const ScaledPlan &plan,
                              const StudyTexts &texts) const {
    const PlanTransform t = plan.transform();
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(0, 0, 0, 200), 0.5));
    for (double level : levels())
        for (const QPolygonF &line :
             onPage(Contour::polylines(m_result.raster, m_values, level), t))
            painter.drawPolyline(line);
    if (m_map != PlanPicture::Map::Potential)
        tolerable.drawSides(painter, t, plan.frame(), [&](double level, bool onLayer) {
            const QVector<QPolygonF> lines =
                onPage(Contour::polylines(m_result.raster, m_values, level), t);
            for (const QPen &pen : {QPen(Qt::white, 2.4), tolerablePen(onLayer)})
                for (const QPolygonF &line : lines) {
                    painter.setPen(pen);
                    painter.drawPolyline(line);
                }
        });
    const QFontMetricsF metrics(painter.font());
    labels(plan, metrics, texts).paint(painter);
    if (const std::optional<Worst> w = worst()) {
        const QPointF at = t.toDevice(w->at);
        painter.setPen(QPen(Qt::white, 1));
        painter.setBrush(Qt::black);
        painter.drawEllipse(at, 2.2, 2.2);
        const QString text = worstText(texts);
        const QRectF box = worstBox(plan, metrics, text);
        painter.setPen(QPen(Qt::black, 0.5));
        painter.setBrush(QColor(255, 255, 255, 230));
        painter.drawRect(box);
        painter.drawText(box, Qt::AlignCenter, text);
    }
    painter.restore();
}

// The colour bar in volts, each tolerable voltage drawn across it as on the map, and under
// it the keys of the red lines and of the isolines' spacing.
void MapPicture::paintLegend(QPainter &painter, const QRectF &strip,
                             const StudyTexts &texts) const {
    if (!(m_hi >= m_lo))
        return;
    const double line = QFontMetricsF(painter.font()).height();
    std::vector<TolerableKey> keys = tolerableKeys(texts);
    const double step = ContourLabels::stepFor(m_lo, m_hi);
    if (step > 0) {
        const QString value = ReportNumber::given(step);
        keys.push_back(
            {-1, true, ReportNumber::keptWithUnit(texts.text(kIsolines).arg(value), value)});
    }
    // The keys under the colour bar, as tall as their words wrap to.
    double keysHeight = line;
    for (const TolerableKey &key : keys)
        keysHeight += legendKey(painter, strip, 0, key.words, nullptr);
    const QRectF legend(strip.left(), strip.top(), strip.width(),
                        std::max(strip.height() - keysHeight, 5 * line));
    const ColourScale scale(m_lo, m_hi);
    scale.paintLegend(painter, legend, texts.text(kVoltUnit));
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF bar = ColourScale::barRect(legend, line);
    double y = legend.bottom() + line;
    for (const TolerableKey &key : keys) {
        const QPen pen = key.level < 0 ? QPen(Qt::black, 0.5) : tolerablePen(key.onLayer);
        if (key.level >= m_lo && key.level <= m_hi) {
            const double at = scale.yOn(bar, key.level);
            for (const QPen &across : {QPen(Qt::white, 2.4), pen}) {
                painter.setPen(across);
                painter.drawLine(QPointF(bar.left() - 4, at), QPointF(bar.right(), at));
            }
        }
        y += legendKey(painter, strip, y, key.words, &pen);
    }
    painter.restore();
}

// A key: a sample of the pen, and its words wrapped beside it; how far down it reaches.
// Without a pen, only measured.
double MapPicture::legendKey(QPainter &painter, const QRectF &strip, double y, const QString &words,
                             const QPen *pen) {
    const double line = QFontMetricsF(painter.font()).height();
    const QRectF box(strip.left() + 17, y, strip.width() - 17, 4 * line);
    const double height =
        painter.boundingRect(box, Qt::AlignLeft | Qt::TextWordWrap, words).height();
    if (pen) {
        painter.setPen(*pen);
        painter.drawLine(QPointF(strip.left(), y + line / 2),
                         QPointF(strip.left() + 14, y + line / 2));
        painter.setPen(Qt::black);
        painter.drawText(box, Qt::AlignLeft | Qt::TextWordWrap, words);
    }
    return height + 0.4 * line;
}

QPen MapPicture::tolerablePen(bool onLayer) {
    return QPen(kTolerable, 1.3, onLayer ? Qt::DashLine : Qt::DashDotLine);
}

// One key for one limit; where the surface layer lies in a zone, one for the layer's
// limit inside it and one for the bare soil's outside it.
std::vector<MapPicture::TolerableKey> MapPicture::tolerableKeys(const StudyTexts &texts) const {
    if (m_map == PlanPicture::Map::Potential || !tolerable.any())
        return {};
    const auto key = [&texts](unsigned id, double level) {
        const QString value = ReportNumber::text(level);
        return ReportNumber::keptWithUnit(texts.text(id).arg(value), value);
    };
    if (!tolerable.apart())
        return {{tolerable.onLayer(), true, key(kTolerableLine, tolerable.onLayer())}};
    return {{tolerable.onLayer(), true, key(kTolerableOnLayer, tolerable.onLayer())},
            {tolerable.offLayer(), false, key(kTolerableOffLayer, tolerable.offLayer())}};
}
