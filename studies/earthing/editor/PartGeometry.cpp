#include "studies/earthing/editor/PartGeometry.h"

#include "studies/earthing/JsonPath.h"

#include <QJsonArray>
#include <QLineF>
#include <QTransform>

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

using Kind = StudyPart::Kind;

namespace PartGeometry {

namespace {

constexpr double kPi = 3.14159265358979323846;

std::optional<QPointF> pointAt(const QJsonObject &json, const QString &path) {
    const QJsonValue v = JsonPath::valueAt(json, path);
    // A grid's origin may be left out: it is then 0, 0.
    if (v.isUndefined() && path == QLatin1String("origin"))
        return QPointF(0, 0);
    const QJsonArray a = v.toArray();
    if (a.size() < 2 || !a.at(0).isDouble() || !a.at(1).isDouble())
        return std::nullopt;
    return QPointF(a.at(0).toDouble(), a.at(1).toDouble());
}

std::optional<double> numberAt(const QJsonObject &json, const QString &path) {
    const QJsonValue v = JsonPath::valueAt(json, path);
    return v.isDouble() ? std::optional<double>(v.toDouble()) : std::nullopt;
}

// The paths of the points of an array of [x, y] ("polygon/0", ...), or of a key of each
// row of an array of objects ("conductors/0/from", ...).
void addPoints(QVector<QString> &paths, const QJsonObject &json, const QString &array,
               const QString &key = QString()) {
    const int n = json.value(array).toArray().size();
    for (int i = 0; i < n; ++i)
        paths.append(array + QLatin1Char('/') + QString::number(i) +
                     (key.isEmpty() ? QString() : QLatin1Char('/') + key));
}

QVector<QString> vertexPaths(const StudyPart &part) {
    QVector<QString> paths;
    const QJsonObject &j = part.json;
    switch (part.kind) {
    case Kind::Conductor:
        paths = {QStringLiteral("from"), QStringLiteral("to")};
        break;
    case Kind::Grid:
    case Kind::LGrid:
        paths = {QStringLiteral("origin")};
        break;
    case Kind::Rods:
        addPoints(paths, j, QStringLiteral("at"));
        break;
    case Kind::Ring:
        paths = {QStringLiteral("centre")};
        break;
    case Kind::Fence: // one round the grids at a distance has no place of its own
        addPoints(paths, j, QStringLiteral("polyline"));
        break;
    case Kind::TouchArea:
        addPoints(paths, j, QStringLiteral("polygon"));
        break;
    case Kind::TouchPoint:
        paths = {QStringLiteral("at")};
        break;
    case Kind::Drawing:
        addPoints(paths, j, QStringLiteral("conductors"), QStringLiteral("from"));
        addPoints(paths, j, QStringLiteral("conductors"), QStringLiteral("to"));
        addPoints(paths, j, QStringLiteral("rods"), QStringLiteral("at"));
        break;
    }
    return paths;
}

// A grid's outline: its rectangle, or the L with the cut taken from the corner at the
// far ends of both sides, as the grid is expanded.
std::optional<QPolygonF> gridOutline(const StudyPart &part) {
    const std::optional<QPointF> o = pointAt(part.json, QStringLiteral("origin"));
    const auto sx = numberAt(part.json, QStringLiteral("size/0"));
    const auto sy = numberAt(part.json, QStringLiteral("size/1"));
    if (!o || !sx || !sy)
        return std::nullopt;
    const double x0 = o->x(), y0 = o->y(), x1 = x0 + *sx, y1 = y0 + *sy;
    if (part.kind == Kind::Grid)
        return QPolygonF({{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}, {x0, y0}});
    const auto cx = numberAt(part.json, QStringLiteral("cut/0"));
    const auto cy = numberAt(part.json, QStringLiteral("cut/1"));
    if (!cx || !cy)
        return std::nullopt;
    const double ix = x1 - *cx, iy = y1 - *cy;
    return QPolygonF({{x0, y0}, {x1, y0}, {x1, iy}, {ix, iy}, {ix, y1}, {x0, y1}, {x0, y0}});
}

std::optional<QPolygonF> ringOutline(const StudyPart &part) {
    const std::optional<QPointF> c = pointAt(part.json, QStringLiteral("centre"));
    const auto r = numberAt(part.json, QStringLiteral("radius"));
    if (!c || !r)
        return std::nullopt;
    QPolygonF circle;
    const int n = 48;
    for (int k = 0; k <= n; ++k)
        circle << *c + *r * QPointF(std::cos(2 * kPi * k / n), std::sin(2 * kPi * k / n));
    return circle;
}

// The points of an array as one line, closed when asked.
QPolygonF polyline(const StudyPart &part, const QString &array, bool closed) {
    QPolygonF line;
    for (const Vertex &v : vertices(part))
        if (v.path.startsWith(array + QLatin1Char('/')))
            line << v.at;
    if (closed && line.size() > 2)
        line << line.first();
    return line;
}

double segmentDistance(const QPointF &p, const QPointF &a, const QPointF &b) {
    const QPointF ab = b - a;
    const double length2 = QPointF::dotProduct(ab, ab);
    const double t =
        length2 > 0 ? std::clamp(QPointF::dotProduct(p - a, ab) / length2, 0.0, 1.0) : 0.0;
    return QLineF(p, a + t * ab).length();
}

// The point's array written whole: JsonPath reaches into arrays of objects, not of arrays.
void setPoint(QJsonObject &json, const QString &path, const QPointF &at) {
    QJsonArray point = JsonPath::valueAt(json, path).toArray();
    while (point.size() < 2)
        point.append(0);
    // Only x and y: a conductor's end keeps its depth.
    point[0] = rounded(at.x());
    point[1] = rounded(at.y());
    JsonPath::setValueAt(json, path, point);
}

// A rectangular grid by a number of quarter turns about the centre: the turned rectangle,
// its sides (and their counts of conductors) swapped by an odd number.
void turnGrid(StudyPart &part, const QPointF &centre, int quarters) {
    const QPolygonF outline = *gridOutline(part);
    QTransform turn;
    turn.translate(centre.x(), centre.y())
        .rotate(90.0 * quarters)
        .translate(-centre.x(), -centre.y());
    const QRectF turned = turn.map(outline).boundingRect();
    setPoint(part.json, QStringLiteral("origin"), turned.topLeft());
    if (quarters % 2 == 0)
        return;
    for (const QString &key : {QStringLiteral("size"), QStringLiteral("conductors")}) {
        QJsonArray a = part.json.value(key).toArray();
        if (a.size() == 2)
            part.json[key] = QJsonArray{a.at(1), a.at(0)};
    }
}

} // namespace

double rounded(double metres) {
    const double r = std::round(metres * 1000) / 1000;
    return r == 0 ? 0.0 : r; // no -0 written
}

QVector<Vertex> vertices(const StudyPart &part) {
    QVector<Vertex> out;
    for (const QString &path : vertexPaths(part))
        if (const std::optional<QPointF> at = pointAt(part.json, path))
            out.append({path, *at});
    return out;
}

QVector<QPolygonF> lines(const StudyPart &part) {
    QVector<QPolygonF> out;
    std::optional<QPolygonF> shape;
    switch (part.kind) {
    case Kind::Grid:
    case Kind::LGrid:
        shape = gridOutline(part);
        break;
    case Kind::Ring:
        shape = ringOutline(part);
        break;
    case Kind::Conductor: {
        const QVector<Vertex> ends = vertices(part);
        if (ends.size() == 2)
            out.append(QPolygonF({ends[0].at, ends[1].at}));
        return out;
    }
    case Kind::Fence:
        shape = polyline(part, QStringLiteral("polyline"),
                         part.json.value(QStringLiteral("closed")).toBool());
        break;
    case Kind::TouchArea:
        shape = polyline(part, QStringLiteral("polygon"), true);
        break;
    case Kind::Drawing: {
        const int n = part.json.value(QStringLiteral("conductors")).toArray().size();
        for (int i = 0; i < n; ++i) {
            const QString row = QStringLiteral("conductors/%1/").arg(i);
            const auto from = pointAt(part.json, row + QStringLiteral("from"));
            const auto to = pointAt(part.json, row + QStringLiteral("to"));
            if (from && to)
                out.append(QPolygonF({*from, *to}));
        }
        for (const Vertex &v : vertices(part))
            if (v.path.startsWith(QStringLiteral("rods/")))
                out.append(QPolygonF({v.at}));
        return out;
    }
    case Kind::Rods:
    case Kind::TouchPoint:
        for (const Vertex &v : vertices(part))
            out.append(QPolygonF({v.at}));
        return out;
    }
    if (shape && !shape->isEmpty())
        out.append(*shape);
    return out;
}

double distance(const StudyPart &part, const QPointF &at) {
    double best = std::numeric_limits<double>::infinity();
    for (const QPolygonF &line : lines(part)) {
        if (line.size() == 1)
            best = std::min(best, QLineF(at, line.first()).length());
        for (int k = 1; k < line.size(); ++k)
            best = std::min(best, segmentDistance(at, line[k - 1], line[k]));
    }
    return best;
}

QRectF bounds(const StudyPart &part) {
    QPolygonF all;
    for (const QPolygonF &line : lines(part))
        all << line;
    return all.boundingRect();
}

bool inside(const StudyPart &part, const QRectF &rect) {
    const QVector<QPolygonF> all = lines(part);
    if (all.isEmpty())
        return false;
    for (const QPolygonF &line : all)
        for (const QPointF &p : line)
            if (!rect.contains(p))
                return false;
    return true;
}

void translate(StudyPart &part, const QPointF &d) {
    for (const Vertex &v : vertices(part))
        setPoint(part.json, v.path, v.at + d);
}

void setVertex(StudyPart &part, const QString &path, const QPointF &at) {
    setPoint(part.json, path, at);
}

bool rotate(StudyPart &part, const QPointF &centre, double degrees) {
    const double quarters = degrees / 90;
    const bool quarterTurn = std::abs(quarters - std::round(quarters)) < 1e-9;
    if (part.kind == Kind::Grid || part.kind == Kind::LGrid) {
        const int q = ((int(std::round(quarters)) % 4) + 4) % 4;
        if (!quarterTurn || (part.kind == Kind::LGrid && q != 0) || !gridOutline(part))
            return false;
        turnGrid(part, centre, q);
        return true;
    }
    QTransform turn;
    turn.translate(centre.x(), centre.y()).rotate(degrees).translate(-centre.x(), -centre.y());
    for (const Vertex &v : vertices(part))
        setPoint(part.json, v.path, turn.map(v.at));
    return true;
}

} // namespace PartGeometry
