#include "studies/earthing/editor/PlanEdits.h"

#include "studies/earthing/EarthingProject.h"
#include "studies/earthing/editor/PartGeometry.h"
#include "text/StringIds.h"
#include "ui/LanguageString.h"

#include <QJsonArray>

#include <algorithm>
#include <cmath>
#include <numeric>

using namespace StringId::PlanEditor;
using Kind = StudyPart::Kind;

namespace {

QJsonArray pointJson(const QPointF &p) {
    return QJsonArray{PartGeometry::rounded(p.x()), PartGeometry::rounded(p.y())};
}

// Parts put in one after another: the indices of those put in before shift as each later
// one goes in ahead of them.
class Insertions {
public:
    explicit Insertions(StudyProject &document) : m_document(document) {}
    int insert(const StudyPart &part) {
        const int at = m_document.insert(part);
        for (int &k : m_indices)
            if (k >= at)
                ++k;
        m_indices.append(at);
        return at;
    }
    const QVector<int> &indices() const { return m_indices; }

private:
    StudyProject &m_document;
    QVector<int> m_indices;
};

QVector<int> sortedUnique(QVector<int> parts, int count) {
    std::sort(parts.begin(), parts.end());
    parts.erase(std::unique(parts.begin(), parts.end()), parts.end());
    parts.erase(
        std::remove_if(parts.begin(), parts.end(), [count](int k) { return k < 0 || k >= count; }),
        parts.end());
    return parts;
}

} // namespace

const StudyProject &PlanEdits::now() const {
    return m_project->document();
}

void PlanEdits::push(unsigned name, const StudyProject &after, int focus) {
    m_project->edit(LoadLanguageString(name), after, focus);
}

QRectF PlanEdits::bounds(const QVector<int> &parts) const {
    // By the points themselves: a rod's extent is a point, which QRectF::united passes over.
    QPolygonF all;
    for (int k : sortedUnique(parts, now().parts.size()))
        for (const QPolygonF &line : PartGeometry::lines(now().parts[k]))
            all << line;
    return all.boundingRect();
}

namespace {

double halfMetres(double metres) {
    return std::round(metres * 2) / 2;
}

// The new part's shape scaled to a side.
void sizeTo(StudyPart &part, double side) {
    const int count = std::clamp(int(std::round(side / 5)) + 1, 2, 30);
    switch (part.kind) {
    case Kind::Grid:
    case Kind::LGrid:
        part.json[QStringLiteral("size")] = QJsonArray{side, side};
        part.json[QStringLiteral("conductors")] = QJsonArray{count, count};
        if (part.kind == Kind::LGrid)
            part.json[QStringLiteral("cut")] = QJsonArray{side / 2, side / 2};
        break;
    case Kind::Ring:
        part.json[QStringLiteral("radius")] = side / 2;
        break;
    case Kind::TouchArea:
        part.json[QStringLiteral("polygon")] = QJsonArray{
            QJsonArray{0, 0}, QJsonArray{side, 0}, QJsonArray{side, side}, QJsonArray{0, side}};
        break;
    case Kind::Conductor:
        PartGeometry::setVertex(part, QStringLiteral("to"), QPointF(side, 0));
        break;
    default:
        break;
    }
}

} // namespace

int PlanEdits::addBeside(Kind kind) {
    StudyPart part = StudyPart::made(kind);
    QVector<int> all(now().parts.size());
    std::iota(all.begin(), all.end(), 0);
    const QRectF system = bounds(all);
    if (!PartGeometry::lines(part).isEmpty() && !all.isEmpty() &&
        (system.width() > 0 || system.height() > 0)) {
        const double side =
            std::max(1.0, halfMetres(std::max(system.height(), system.width() / 4)));
        sizeTo(part, side);
        const double gap = std::max(2.0, system.width() / 10);
        const QPointF corner(std::ceil((system.right() + gap) * 2) / 2, halfMetres(system.top()));
        PartGeometry::translate(part, corner - PartGeometry::bounds(part).topLeft());
    }
    StudyProject after = now();
    const int at = after.insert(part);
    m_project->edit(LoadLanguageString(StringId::EarthingStudy::kAddCommand)
                        .arg(LoadLanguageString(StudyPart::nameId(kind))),
                    after, at);
    return at;
}

QVector<int> PlanEdits::move(const QVector<int> &parts, const QPointF &by) {
    const QVector<int> moved = sortedUnique(parts, now().parts.size());
    StudyProject after = now();
    for (int k : moved)
        PartGeometry::translate(after.parts[k], by);
    push(kMoveCommand, after, moved.isEmpty() ? -1 : moved.first());
    return moved;
}

void PlanEdits::moveVertices(int part, const QVector<QString> &paths, const QPointF &by) {
    if (part < 0 || part >= now().parts.size())
        return;
    StudyProject after = now();
    for (const PartGeometry::Vertex &v : PartGeometry::vertices(now().parts[part]))
        if (paths.contains(v.path))
            PartGeometry::setVertex(after.parts[part], v.path, v.at + by);
    push(kMoveCornerCommand, after, part);
}

QVector<int> PlanEdits::paste(const QVector<StudyPart> &copied, const QPointF &by) {
    StudyProject after = now();
    Insertions added(after);
    for (StudyPart part : copied) {
        PartGeometry::translate(part, by);
        added.insert(part);
    }
    push(kPasteCommand, after, added.indices().isEmpty() ? -1 : added.indices().last());
    return added.indices();
}

QVector<int> PlanEdits::array(const QVector<int> &parts, int rows, int columns,
                              const QPointF &spacing) {
    const QVector<int> given = sortedUnique(parts, now().parts.size());
    if (given.isEmpty() || rows < 1 || columns < 1)
        return given;
    StudyProject after = now();
    QVector<StudyPart> copies;
    for (int k : given) {
        const StudyPart original = now().parts[k];
        const bool rods = original.kind == Kind::Rods;
        QJsonArray at = original.json.value(QStringLiteral("at")).toArray();
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < columns; ++c) {
                if (r == 0 && c == 0)
                    continue;
                const QPointF by(c * spacing.x(), r * spacing.y());
                StudyPart copy = original;
                PartGeometry::translate(copy, by);
                if (rods) // one part of rods holds them all
                    for (const QJsonValue &p : copy.json.value(QStringLiteral("at")).toArray())
                        at.append(p);
                else
                    copies.append(copy);
            }
        if (rods)
            after.parts[k].json[QStringLiteral("at")] = at;
    }
    Insertions added(after);
    QVector<int> kept = given;
    for (const StudyPart &copy : copies) {
        const int at = added.insert(copy);
        for (int &k : kept)
            if (k >= at)
                ++k;
    }
    QVector<int> selected = kept + added.indices();
    push(kArrayCommand, after, selected.first());
    return sortedUnique(selected, after.parts.size());
}

bool PlanEdits::rotate(const QVector<int> &parts, double degrees) {
    const QVector<int> turned = sortedUnique(parts, now().parts.size());
    const QRectF box = bounds(turned);
    if (turned.isEmpty())
        return true;
    // The centre to the millimetre: a quarter turn of a grid keeps its corners on the
    // millimetres they were on.
    const QPointF centre(PartGeometry::rounded(box.center().x()),
                         PartGeometry::rounded(box.center().y()));
    StudyProject after = now();
    for (int k : turned)
        if (!PartGeometry::rotate(after.parts[k], centre, degrees))
            return false;
    push(kRotateCommand, after, turned.first());
    return true;
}

void PlanEdits::remove(const QVector<int> &parts) {
    const QVector<int> gone = sortedUnique(parts, now().parts.size());
    if (gone.isEmpty())
        return;
    StudyProject after = now();
    for (auto k = gone.rbegin(); k != gone.rend(); ++k)
        after.remove(*k);
    push(kDeleteCommand, after, -1);
}

QVector<int> PlanEdits::addConductors(const QPolygonF &corners) {
    StudyProject after = now();
    Insertions added(after);
    for (int k = 1; k < corners.size(); ++k) {
        if (corners[k] == corners[k - 1])
            continue;
        StudyPart part = StudyPart::made(Kind::Conductor);
        PartGeometry::setVertex(part, QStringLiteral("from"), corners[k - 1]);
        PartGeometry::setVertex(part, QStringLiteral("to"), corners[k]);
        added.insert(part);
    }
    if (added.indices().isEmpty())
        return {};
    push(kDrawConductorCommand, after, added.indices().last());
    return added.indices();
}

int PlanEdits::addRod(int rodsPart, const QPointF &at) {
    StudyProject after = now();
    int index = rodsPart;
    if (index >= 0 && index < after.parts.size() && after.parts[index].kind == Kind::Rods) {
        QJsonArray points = after.parts[index].json.value(QStringLiteral("at")).toArray();
        points.append(pointJson(at));
        after.parts[index].json[QStringLiteral("at")] = points;
    } else {
        StudyPart part = StudyPart::made(Kind::Rods);
        part.json[QStringLiteral("at")] = QJsonArray{pointJson(at)};
        index = after.insert(part);
    }
    push(kAddRodCommand, after, index);
    return index;
}

int PlanEdits::addFence(const QPolygonF &corners, bool closed) {
    StudyPart part = StudyPart::made(Kind::Fence);
    // Along its own corners, not at a distance round the grids.
    part.json.remove(QStringLiteral("distance"));
    QJsonArray polyline;
    for (const QPointF &p : corners)
        polyline.append(pointJson(p));
    part.json[QStringLiteral("polyline")] = polyline;
    part.json[QStringLiteral("closed")] = closed;
    StudyProject after = now();
    const int at = after.insert(part);
    push(kDrawFenceCommand, after, at);
    return at;
}
