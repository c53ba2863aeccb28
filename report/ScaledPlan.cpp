#include "report/ScaledPlan.h"

#include "core/earthing/ConductorLayout.h"
#include "document/SystemDocument.h"
#include "report/ReportNumber.h"
#include "report/StudyTexts.h"
#include "text/StringIds.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

using namespace StringId::PlanPictures;

namespace {

constexpr double kPointsPerMm = 72 / 25.4;
constexpr double kGridAtLeast = 36;  // pt between the grid's lines, about 13 mm
constexpr double kBarHeight = 4;     // pt
constexpr double kDimensionGap = 10; // pt from a grid's side to its dimension line
const QColor kGridLine(0, 0, 0, 45);
const QColor kAxis(0, 0, 0, 110);

// The smallest of 1, 2 and 5 times a power of ten that is at least x (> 0).
double roundAtLeast(double x) {
    const double power = std::pow(10.0, std::floor(std::log10(x)));
    for (double m : {1.0, 2.0, 5.0})
        if (m * power >= x * (1 - 1e-12))
            return m * power;
    return 10 * power;
}

// The largest of 1, 2 and 5 times a power of ten that is at most x (> 0).
double roundAtMost(double x) {
    const double power = std::pow(10.0, std::floor(std::log10(x)));
    for (double m : {5.0, 2.0, 1.0})
        if (m * power <= x * (1 + 1e-12))
            return m * power;
    return power;
}

QString metres(const StudyTexts &texts, double value) {
    return texts.text(kMetres).arg(ReportNumber::given(value));
}

// A text with a white halo, to be read over the map and the grid's lines.
void haloText(QPainter &painter, const QRectF &box, int flags, const QString &text) {
    const QFontMetricsF metrics(painter.font());
    const double width = metrics.horizontalAdvance(text);
    double x = box.left();
    if (flags & Qt::AlignHCenter)
        x = box.center().x() - width / 2;
    else if (flags & Qt::AlignRight)
        x = box.right() - width;
    const double y = box.center().y() + (metrics.ascent() - metrics.descent()) / 2;
    QPainterPath path;
    path.addText(QPointF(x, y), painter.font(), text);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.strokePath(path, QPen(Qt::white, 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.fillPath(path, Qt::black);
    painter.restore();
}

// The box of a dimension's text: beside the middle of its line, on the side away from
// what it measures, turned upright along an upright line (read from the right, as
// drawings are).
QRectF textBox(const QPointF &da, const QPointF &db, const QPointF &unit,
               const QFontMetricsF &metrics, const QString &text) {
    const double width = metrics.horizontalAdvance(text) + 2;
    const double height = metrics.height();
    const QPointF middle = (da + db) / 2 + unit * (height / 2 + 2);
    const bool upright = std::abs(db.y() - da.y()) > std::abs(db.x() - da.x());
    QRectF box(0, 0, upright ? height : width, upright ? width : height);
    box.moveCenter(middle);
    return box;
}

QPointF unitOf(const QPointF &offset) {
    const double length = std::hypot(offset.x(), offset.y());
    return length > 0 ? offset / length : QPointF(0, 1);
}

// A dimension line from a to b (points), drawn offset from the measured side with its
// extension lines back to it, slashes at its ends and the text beside it.
void dimension(QPainter &painter, QPointF a, QPointF b, const QPointF &offset,
               const QString &text) {
    const QPointF da = a + offset;
    const QPointF db = b + offset;
    const QPointF unit = unitOf(offset);
    painter.setPen(QPen(Qt::black, 0.4));
    painter.drawLine(a + unit * 2, da + unit * 2);
    painter.drawLine(b + unit * 2, db + unit * 2);
    painter.setPen(QPen(Qt::black, 0.6));
    painter.drawLine(da, db);
    const QLineF along(da, db);
    const QPointF dir = along.length() > 0 ? (db - da) / along.length() : QPointF(1, 0);
    const QPointF slash = (dir + unit) * 2.2;
    for (const QPointF &end : {da, db})
        painter.drawLine(end - slash, end + slash);
    const QRectF box = textBox(da, db, unit, QFontMetricsF(painter.font()), text);
    const bool upright = box.height() > box.width();
    painter.save();
    painter.translate(box.center());
    if (upright)
        painter.rotate(-90);
    const QSizeF size = upright ? box.size().transposed() : box.size();
    haloText(painter, QRectF(QPointF(-size.width() / 2, -size.height() / 2), size),
             Qt::AlignHCenter, text);
    painter.restore();
}

} // namespace

std::vector<int> ScaledPlan::series() {
    std::vector<int> out{50};
    // 1, 1.25, 2, 2.5 and 5 times each power, in eighths: 1:1250 lets a substation of
    // 70 m fill a map's half page where 1:2000 would leave it a third of the width.
    for (int power = 100; power <= 1000000; power *= 10)
        for (int m : {8, 10, 16, 20, 40})
            out.push_back(power * m / 8);
    out.push_back(10000000);
    return out;
}

double ScaledPlan::pointsPerMetre(int denominator) {
    return 1000.0 / denominator * kPointsPerMm;
}

int ScaledPlan::denominatorFor(const QSizeF &metres, const QSizeF &room) {
    const std::vector<int> all = series();
    for (int d : all)
        if (metres.width() * pointsPerMetre(d) <= room.width() &&
            metres.height() * pointsPerMetre(d) <= room.height())
            return d;
    return all.back();
}

ScaledPlan::ScaledPlan(const QRectF &area, const QRectF &extent) : m_area(area) {
    m_frame = area.adjusted(kLeft, kTop, -kRight, -kBottom);
    m_denominator = denominatorFor(extent.size(), m_frame.size() - QSizeF(2 * kRoom, 2 * kRoom));
    const double ppm = pointsPerMetre();
    m_world = QRectF(0, 0, m_frame.width() / ppm, m_frame.height() / ppm);
    m_world.moveCenter(extent.center());
    m_gridSpacing = roundAtLeast(kGridAtLeast / ppm);
    m_barMetres = roundAtMost(std::min(0.4 * m_frame.width(), 170.0) / ppm);
    m_bar = QRectF(m_frame.left(), area.bottom() - 22, m_barMetres * ppm, kBarHeight);
}

QString ScaledPlan::scaleText(const StudyTexts &texts) const {
    return texts.text(kScale).arg(m_denominator);
}

void ScaledPlan::paint(
    QPainter &painter, const PlanPicture &picture, const std::vector<GridShape> &grids,
    const StudyTexts &texts,
    const std::function<void(QPainter &, const PlanTransform &)> &overlay) const {
    painter.save();
    QFont font = painter.font();
    font.setPointSizeF(7);
    painter.setFont(font);
    PlanPicture plan = picture;
    plan.legend = false;
    plan.paint(painter, m_frame, m_world);
    painter.save();
    painter.setClipRect(m_frame);
    paintGrid(painter);
    if (overlay)
        overlay(painter, transform());
    painter.restore();
    painter.save();
    painter.setClipRect(m_area);
    paintDimensions(painter, grids, picture.conductors, texts);
    painter.restore();
    painter.setPen(QPen(Qt::black, 0.8));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(m_frame);
    paintTicks(painter, texts);
    paintScaleBar(painter, texts);
    paintNorth(painter, picture.north, texts);
    painter.restore();
}

std::vector<double> ScaledPlan::gridValues(double lo, double hi) const {
    std::vector<double> out;
    for (double k = std::ceil(lo / m_gridSpacing - 1e-9); k * m_gridSpacing <= hi + 1e-9; ++k)
        out.push_back(k == 0 ? 0.0 : k * m_gridSpacing);
    return out;
}

void ScaledPlan::paintGrid(QPainter &painter) const {
    const PlanTransform t = transform();
    for (double x : gridValues(m_world.left(), m_world.right())) {
        painter.setPen(QPen(x == 0 ? kAxis : kGridLine, x == 0 ? 0.7 : 0.4));
        painter.drawLine(QPointF(t.toDevice({x, 0}).x(), m_frame.top()),
                         QPointF(t.toDevice({x, 0}).x(), m_frame.bottom()));
    }
    for (double y : gridValues(m_world.top(), m_world.bottom())) {
        painter.setPen(QPen(y == 0 ? kAxis : kGridLine, y == 0 ? 0.7 : 0.4));
        painter.drawLine(QPointF(m_frame.left(), t.toDevice({0, y}).y()),
                         QPointF(m_frame.right(), t.toDevice({0, y}).y()));
    }
}

// Each line of the grid ticked outside the frame with its value; the last of each axis
// with the unit, so that the axes say they are in metres.
void ScaledPlan::paintTicks(QPainter &painter, const StudyTexts &texts) const {
    const PlanTransform t = transform();
    const double line = QFontMetricsF(painter.font()).height();
    painter.setPen(QPen(Qt::black, 0.6));
    const std::vector<double> xs = gridValues(m_world.left(), m_world.right());
    for (double x : xs) {
        const double at = t.toDevice({x, 0}).x();
        painter.drawLine(QPointF(at, m_frame.bottom()), QPointF(at, m_frame.bottom() + 3));
        const QString label = x == xs.back() ? metres(texts, x) : ReportNumber::given(x);
        painter.drawText(QRectF(at - 40, m_frame.bottom() + 3, 80, line), Qt::AlignHCenter, label);
    }
    const std::vector<double> ys = gridValues(m_world.top(), m_world.bottom());
    for (double y : ys) {
        const double at = t.toDevice({0, y}).y();
        painter.drawLine(QPointF(m_frame.left() - 3, at), QPointF(m_frame.left(), at));
        const QString label = y == ys.back() ? metres(texts, y) : ReportNumber::given(y);
        painter.drawText(QRectF(m_area.left(), at - line / 2, kLeft - 4, line),
                         Qt::AlignRight | Qt::AlignVCenter, label);
    }
}

// The room a dimension keeps round the metal: a rod's dot (3.5 pt) and a gap.
constexpr double kMetalClearance = 5;
// No further out than this from the side it measures: the room round the plan.
constexpr double kFarthestDimension = 60;

double ScaledPlan::clearOffset(const QPointF &a, const QPointF &b, const QPointF &unit,
                               const std::vector<QLineF> &metal, double textHeight) const {
    const QLineF side(a, b);
    const double length = side.length();
    const QPointF along = length > 0 ? (b - a) / length : QPointF(-unit.y(), unit.x());
    const auto dot = [](const QPointF &p, const QPointF &q) {
        return p.x() * q.x() + p.y() * q.y();
    };
    double offset = kDimensionGap;
    // Out past each piece of metal in the band the line and its text take, until none is.
    for (int pass = 0; pass < 8 && offset < kFarthestDimension; ++pass) {
        const double low = offset - kMetalClearance;
        const double high = offset + textHeight + 2 + kMetalClearance;
        double beyond = -1;
        for (const QLineF &piece : metal) {
            // The piece where it lies beside the side, its distances out from it.
            double s1 = dot(piece.p1() - a, along), s2 = dot(piece.p2() - a, along);
            double d1 = dot(piece.p1() - a, unit), d2 = dot(piece.p2() - a, unit);
            const double from = -kMetalClearance, to = length + kMetalClearance;
            if (std::max(s1, s2) < from || std::min(s1, s2) > to)
                continue;
            if (std::abs(s2 - s1) > 1e-9) {
                const double t1 = std::clamp((from - s1) / (s2 - s1), 0.0, 1.0);
                const double t2 = std::clamp((to - s1) / (s2 - s1), 0.0, 1.0);
                const double e1 = d1 + (d2 - d1) * t1, e2 = d1 + (d2 - d1) * t2;
                d1 = e1;
                d2 = e2;
            }
            if (std::max(d1, d2) >= low && std::min(d1, d2) <= high)
                beyond = std::max(beyond, std::max(d1, d2));
        }
        if (beyond < 0)
            break;
        offset = beyond + kMetalClearance;
    }
    return std::min(offset, kFarthestDimension);
}

// Each grid's two sides below and left of it, its mesh spacing above and right of it,
// each beyond the metal just outside that side.
std::vector<ScaledPlan::Dimension>
ScaledPlan::dimensions(const std::vector<GridShape> &grids,
                       const std::vector<tav::earthing::Conductor> &conductors, double textHeight,
                       const StudyTexts &texts) const {
    const PlanTransform t = transform();
    std::vector<QLineF> metal;
    for (const tav::earthing::Conductor &c : conductors)
        metal.emplace_back(t.toDevice(QPointF(c.from.x, c.from.y)),
                           t.toDevice(QPointF(c.to.x, c.to.y)));
    std::vector<Dimension> out;
    const auto add = [&](const QPointF &a, const QPointF &b, const QPointF &unit,
                         const QString &text) {
        out.push_back({a, b, unit * clearOffset(a, b, unit, metal, textHeight), text});
    };
    for (const GridShape &g : grids) {
        const QRectF b = g.bounds.normalized();
        const QPointF lowLeft = t.toDevice(QPointF(b.left(), b.top()));
        const QPointF lowRight = t.toDevice(QPointF(b.right(), b.top()));
        const QPointF upLeft = t.toDevice(QPointF(b.left(), b.bottom()));
        add(lowLeft, lowRight, {0, 1}, metres(texts, b.width()));
        add(lowLeft, upLeft, {-1, 0}, metres(texts, b.height()));
        if (g.countX > 1) {
            const double mesh = b.width() / (g.countX - 1);
            add(upLeft, t.toDevice(QPointF(b.left() + mesh, b.bottom())), {0, -1},
                metres(texts, mesh));
        }
        if (g.countY > 1) {
            const double mesh = b.height() / (g.countY - 1);
            add(lowRight, t.toDevice(QPointF(b.right(), b.top() + mesh)), {1, 0},
                metres(texts, mesh));
        }
    }
    return out;
}

std::vector<QRectF>
ScaledPlan::dimensionTexts(const std::vector<GridShape> &grids,
                           const std::vector<tav::earthing::Conductor> &conductors,
                           const QFontMetricsF &metrics, const StudyTexts &texts) const {
    std::vector<QRectF> out;
    for (const Dimension &d : dimensions(grids, conductors, metrics.height(), texts))
        out.push_back(textBox(d.a + d.offset, d.b + d.offset, unitOf(d.offset), metrics, d.text));
    return out;
}

void ScaledPlan::paintDimensions(QPainter &painter, const std::vector<GridShape> &grids,
                                 const std::vector<tav::earthing::Conductor> &conductors,
                                 const StudyTexts &texts) const {
    painter.setRenderHint(QPainter::Antialiasing);
    const double height = QFontMetricsF(painter.font()).height();
    for (const Dimension &d : dimensions(grids, conductors, height, texts))
        dimension(painter, d.a, d.b, d.offset, d.text);
}

// Black and white halves under 0, the half's and the whole's metres; the scale's text
// after it.
void ScaledPlan::paintScaleBar(QPainter &painter, const StudyTexts &texts) const {
    const double line = QFontMetricsF(painter.font()).height();
    const QRectF left(m_bar.left(), m_bar.top(), m_bar.width() / 2, m_bar.height());
    const QRectF right(left.right(), m_bar.top(), m_bar.width() / 2, m_bar.height());
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillRect(left, Qt::black);
    painter.fillRect(right, Qt::white);
    painter.setPen(QPen(Qt::black, 0.5));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(m_bar);
    const double above = m_bar.top() - line - 1;
    painter.drawText(QRectF(m_bar.left() - 20, above, 40, line), Qt::AlignHCenter,
                     QStringLiteral("0"));
    painter.drawText(QRectF(left.right() - 30, above, 60, line), Qt::AlignHCenter,
                     ReportNumber::given(m_barMetres / 2));
    painter.drawText(QRectF(m_bar.right() - 40, above, 80, line), Qt::AlignHCenter,
                     metres(texts, m_barMetres));
    painter.drawText(QRectF(m_bar.left(), m_bar.bottom() + 2, m_frame.width() / 2, line),
                     Qt::AlignLeft, scaleText(texts));
}

// An arrow pointing north (+y unless the project turns it) at the right of the strip under
// the plan, turned about its middle, N at its head.
void ScaledPlan::paintNorth(QPainter &painter, double north, const StudyTexts &texts) const {
    const double line = QFontMetricsF(painter.font()).height();
    // Room on its right for the arrow turned flat with its N.
    const QPointF foot(m_frame.right() - 24, m_area.bottom() - 4);
    const QPointF head(foot.x(), foot.y() - (kBottom - 20 - line));
    painter.save();
    const QPointF middle = (foot + head) / 2;
    painter.translate(middle);
    painter.rotate(north); // clockwise on the page, as from +y towards +x on the plan
    painter.translate(-middle);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::black, 0.8));
    painter.drawLine(foot, head);
    QPolygonF arrow;
    arrow << head << head + QPointF(-3.5, 8) << head + QPointF(3.5, 8);
    painter.setBrush(Qt::black);
    painter.drawPolygon(arrow);
    painter.drawText(QRectF(head.x() - 20, head.y() - line - 1, 40, line), Qt::AlignHCenter,
                     texts.text(kNorth));
    painter.restore();
}

std::vector<ScaledPlan::GridShape> ScaledPlan::gridShapes(const tav::SystemDocument &document) {
    std::vector<GridShape> out;
    const auto add = [&out](const tav::earthing::RectangularGrid &g) {
        out.push_back({QRectF(g.x0, g.y0, g.sizeX, g.sizeY), g.countX, g.countY});
    };
    for (const auto &g : document.grids)
        add(g.grid);
    for (const auto &l : document.lGrids)
        add(l.grid.bounds);
    return out;
}

PlanPicture ScaledPlan::pictureOf(const tav::SystemDocument &document) {
    PlanPicture picture;
    const auto expansion = document.expanded();
    if (!expansion.input.refused()) {
        const tav::earthing::EarthingInput &input = expansion.input.result();
        picture.conductors = input.conductors;
        picture.touchAreas = input.touchAreas;
        picture.touchPoints = input.touchPoints;
        picture.surfaceZone = input.surfaceZone;
    }
    picture.north = document.north;
    return picture;
}
