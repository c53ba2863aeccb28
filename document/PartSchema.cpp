#include "document/PartSchema.h"

#include "core/earthing/PlanPolygon.h"
#include "document/JsonFields.h"
#include "text/StringIds.h"

#include <QJsonArray>
#include <QStringList>

#include <algorithm>
#include <cmath>

namespace tav {

using namespace StringId::EarthingStudy;
using Type = FieldType;
using Role = FieldRole;
using Limit = FieldLimit;

namespace {

// A new part's conductor diameter, rod diameter (16 mm, the common copper-bonded rod), rod
// length and depth.
constexpr double kNewDiameter = 0.0105;
constexpr double kNewRodDiameter = 0.016;
constexpr double kNewRodLength = 3;
constexpr double kNewDepth = 0.5;
// No initial value: the field must be given, or stays absent.
const QJsonValue kNone(QJsonValue::Undefined);

PartField optional(PartField field) {
    field.required = false;
    return field;
}

std::vector<PartField> rectangle(double side, int count) {
    return {optional({"origin/0", Type::Number, Role::Place, kOriginX, 0}),
            optional({"origin/1", Type::Number, Role::Place, kOriginY, 0}),
            {"size/0", Type::Number, Role::Length, kSideX, side, Limit::Positive},
            {"size/1", Type::Number, Role::Length, kSideY, side, Limit::Positive},
            {"conductors/0", Type::Count, Role::Count, kCountX, count, Limit::Counted},
            {"conductors/1", Type::Count, Role::Count, kCountY, count, Limit::Counted},
            {"depth", Type::Number, Role::Depth, kDepth, kNewDepth},
            {"diameter", Type::Number, Role::Diameter, kDiameter, kNewDiameter, Limit::Positive},
            optional({"group", Type::Integer, Role::Other, 0, 0})};
}

// Rods along a grid's edge, or at its corners instead of a count; a new grid has none.
std::vector<PartField> gridRods() {
    PartField count{"rods/count", Type::Count, Role::Count, kRodCount, 8, Limit::Counted};
    count.waivedBy = "rods/corners";
    return {optional({"rods", Type::Object, Role::Other, 0, kNone}),
            optional({"rods/corners", Type::Boolean, Role::Other, 0, false}),
            count,
            {"rods/length", Type::Number, Role::Length, kRodLength, kNewRodLength, Limit::Positive},
            {"rods/diameter", Type::Number, Role::Diameter, kRodDiameter, kNewRodDiameter,
             Limit::Positive}};
}

std::vector<PartField> operator+(std::vector<PartField> a, const std::vector<PartField> &b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

std::vector<PartField> conductorFields() {
    return {{"from/0", Type::Number, Role::Place, kFromX, 0},
            {"from/1", Type::Number, Role::Place, kFromY, 0},
            {"from/2", Type::Number, Role::Depth, kFromZ, kNewDepth},
            {"to/0", Type::Number, Role::Place, kToX, 10},
            {"to/1", Type::Number, Role::Place, kToY, 0},
            {"to/2", Type::Number, Role::Depth, kToZ, kNewDepth},
            {"diameter", Type::Number, Role::Diameter, kDiameter, kNewDiameter, Limit::Positive},
            optional({"group", Type::Integer, Role::Other, 0, 0}),
            // The part an expanded document's conductor came from: "grids[0].rods".
            optional({"part", Type::Text, Role::Other, 0, kNone})};
}

std::vector<PartField> rodFields() {
    return {
        {"at", Type::Points, Role::Place, kRodPlaces, QJsonArray{QJsonArray{0, 0}}},
        {"top", Type::Number, Role::Depth, kRodTop, kNewDepth},
        {"length", Type::Number, Role::Length, kRodLength, kNewRodLength, Limit::Positive},
        {"diameter", Type::Number, Role::Diameter, kRodDiameter, kNewRodDiameter, Limit::Positive},
        optional({"group", Type::Integer, Role::Other, 0, 0})};
}

std::vector<PartField> lGridFields() {
    return rectangle(30, 7) +
           std::vector<PartField>{
               {"cut/0", Type::Number, Role::Length, kCutX, 15, Limit::InsideSize},
               {"cut/1", Type::Number, Role::Length, kCutY, 15, Limit::InsideSize}} +
           gridRods();
}

std::vector<PartField> ringFields() {
    return {{"centre/0", Type::Number, Role::Place, kCentreX, 0},
            {"centre/1", Type::Number, Role::Place, kCentreY, 0},
            {"radius", Type::Number, Role::Length, kRadius, 5, Limit::Positive},
            {"count", Type::Count, Role::Count, kRodCount, 6, Limit::AtLeastThree},
            {"depth", Type::Number, Role::Depth, kDepth, kNewDepth},
            {"diameter", Type::Number, Role::Diameter, kDiameter, kNewDiameter, Limit::Positive},
            {"rod", Type::Object, Role::Other, 0, kNone},
            {"rod/length", Type::Number, Role::Length, kRodLength, kNewRodLength, Limit::Positive},
            {"rod/diameter", Type::Number, Role::Diameter, kRodDiameter, kNewRodDiameter,
             Limit::Positive},
            optional({"group", Type::Integer, Role::Other, 0, 0})};
}

// A fence without a group floats on its own: no initial group. It stands at a distance
// round what comes before it, or along an outline of its own (a new fence the former).
std::vector<PartField> fenceFields() {
    PartField distance{"distance", Type::Number, Role::Length, kFenceDistance, 2, Limit::Positive};
    distance.waivedBy = "polyline";
    return {optional({"closed", Type::Boolean, Role::Other, 0, kNone}),
            // Drawn on the plan or brought by a drawing, not typed in the part's fields.
            optional({"polyline", Type::Points, Role::Place, 0, kNone, Limit::Outline}),
            distance,
            {"posts", Type::Object, Role::Other, 0, kNone},
            {"posts/spacing", Type::Number, Role::Length, kPostSpacing, 3, Limit::Positive},
            {"posts/length", Type::Number, Role::Length, kPostLength, 1, Limit::Positive},
            {"posts/diameter", Type::Number, Role::Diameter, kPostDiameter, 0.06, Limit::Positive},
            optional({"posts/top", Type::Number, Role::Depth, kPostTop, 0.05}),
            optional({"group", Type::Integer, Role::Other, 0, kNone})};
}

// A new touch area: a 10 m square at the origin, of the energised group. A band (m) makes
// it the strip within that distance of the polygon's edges, as a fence's, not its inside.
std::vector<PartField> touchAreaFields() {
    const QJsonArray square{QJsonArray{0, 0}, QJsonArray{10, 0}, QJsonArray{10, 10},
                            QJsonArray{0, 10}};
    // Open: with a band, the polygon is a polyline whose last corner is not joined to its
    // first, as the band of a fence that does not close (an expanded document's).
    return {optional({"open", Type::Boolean, Role::Other, 0, kNone}),
            {"polygon", Type::Points, Role::Place, kTouchPolygon, square, Limit::Polygon},
            optional({"group", Type::Integer, Role::Other, 0, 0}),
            optional({"band", Type::Number, Role::Other, 0, kNone, Limit::NotNegative})};
}

std::vector<PartField> touchPointFields() {
    return {{"at/0", Type::Number, Role::Place, kTouchPointX, 0},
            {"at/1", Type::Number, Role::Place, kTouchPointY, 0},
            optional({"group", Type::Integer, Role::Other, 0, 0}),
            optional({"name", Type::Text, Role::Other, kTouchPointName, QString()})};
}

// An imported drawing: its name and group here; its conductors and rods, arrays of rows,
// are read and written by DrawingPart beside these.
std::vector<PartField> drawingFields() {
    return {{"name", Type::Text, Role::Other, StringId::kDrawingNameField, QString()},
            optional({"group", Type::Integer, Role::Other, 0, 0})};
}

} // namespace

const std::vector<PartKind> &PartSchema::kinds() {
    static const std::vector<PartKind> all{
        PartKind::Conductor, PartKind::Grid,      PartKind::Rods,
        PartKind::LGrid,     PartKind::Ring,      PartKind::Drawing,
        PartKind::Fence,     PartKind::TouchArea, PartKind::TouchPoint};
    return all;
}

const char *PartSchema::criteriaName(Criteria criteria) {
    return criteria == Criteria::En50522 ? "en50522" : "ieee80";
}

const char *PartSchema::key(PartKind kind) {
    switch (kind) {
    case PartKind::Conductor:
        return "conductors";
    case PartKind::Grid:
        return "grids";
    case PartKind::Rods:
        return "rods";
    case PartKind::LGrid:
        return "l_grids";
    case PartKind::Ring:
        return "rings";
    case PartKind::Fence:
        return "fences";
    case PartKind::TouchArea:
        return "touch_areas";
    case PartKind::TouchPoint:
        return "touch_points";
    case PartKind::Drawing:
        return "drawings";
    }
    return "";
}

unsigned PartSchema::nameId(PartKind kind) {
    switch (kind) {
    case PartKind::Conductor:
        return kKindConductor;
    case PartKind::Grid:
        return kKindGrid;
    case PartKind::Rods:
        return kKindRods;
    case PartKind::LGrid:
        return kKindLGrid;
    case PartKind::Ring:
        return kKindRing;
    case PartKind::Fence:
        return kKindFence;
    case PartKind::TouchArea:
        return kKindTouchArea;
    case PartKind::TouchPoint:
        return kKindTouchPoint;
    case PartKind::Drawing:
        return StringId::kKindDrawing;
    }
    return 0;
}

const std::vector<PartField> &PartSchema::fields(PartKind kind) {
    static const std::vector<PartField> tables[] = {
        conductorFields(), rectangle(20, 5) + gridRods(),
        rodFields(),       lGridFields(),
        ringFields(),      fenceFields(),
        touchAreaFields(), touchPointFields(),
        drawingFields()};
    return tables[int(kind)];
}

const std::vector<PartField> &PartSchema::safetyFields() {
    static const std::vector<PartField> table{
        {"duration", Type::Number, Role::Other, kDuration, 0.5, Limit::Positive},
        optional({"body", Type::Integer, Role::Other, kBody, 50, Limit::BodyWeight}),
        optional({"surface", Type::Object, Role::Other, kSurface, kNone}),
        {"surface/rho", Type::Number, Role::Other, kSurfaceRho, 2500, Limit::Positive},
        {"surface/thickness", Type::Number, Role::Length, kSurfaceThickness, 0.1, Limit::Positive},
        // Where the layer lies; left out, everywhere.
        optional({"surface/area", Type::Points, Role::Place, kSurfaceArea, kNone, Limit::Polygon}),
        optional({"criteria", Type::Text, Role::Other, kCriteria, "ieee80", Limit::CriteriaName}),
        optional({"footwear", Type::Number, Role::Other, kFootwear, 1000, Limit::NotNegative})};
    return table;
}

unsigned PartSchema::label(PartKind kind, const QString &path) {
    for (const PartField &field : fields(kind))
        if (path == QLatin1String(field.path))
            return field.label;
    return 0;
}

QJsonValue PartSchema::initial(PartKind kind, const QString &path) {
    for (const PartField &field : fields(kind))
        if (path == QLatin1String(field.path))
            return field.initial;
    return kNone;
}

QJsonObject PartSchema::defaults(PartKind kind) {
    return defaults(fields(kind));
}

QJsonObject PartSchema::defaults(const std::vector<PartField> &table) {
    PartValues values;
    QString leftOut; // the optional object being passed over, with its slash
    for (const PartField &field : table) {
        const QString path = QLatin1String(field.path);
        if (!leftOut.isEmpty() && path.startsWith(leftOut))
            continue;
        if (field.type == Type::Object && !field.required)
            leftOut = path + QLatin1Char('/');
        else if (!field.initial.isUndefined())
            values.set(path, field.initial);
    }
    return write(table, values);
}

} // namespace tav

namespace tav {

namespace {

// The rows [begin, end) of one object of a part's table, at prefix ("" or "rods/"), taken
// a key at a time: a scalar, the elements of one array, or an object and its rows.
struct Run {
    QString key;
    std::size_t begin;
    std::size_t end;
};

std::vector<Run> runs(const std::vector<PartField> &fields, const QString &prefix,
                      std::size_t begin, std::size_t end) {
    std::vector<Run> out;
    for (std::size_t i = begin; i < end; ++i) {
        const QString key =
            QString::fromLatin1(fields[i].path).mid(prefix.size()).section('/', 0, 0);
        if (!out.empty() && out.back().key == key)
            out.back().end = i + 1;
        else
            out.push_back({key, i, i + 1});
    }
    return out;
}

// Reads the rows of a table from a part's JSON object as strictly as JsonFields reads,
// the first fault in error, in the order of the rows.
class Reader {
public:
    Reader(const std::vector<PartField> &fields, DocumentError &error)
        : m_fields(fields), m_error(error) {}

    void readObject(const QJsonValue &value, const QString &path, const QString &prefix,
                    std::size_t begin, std::size_t end) {
        JsonFields f(value, path, m_error);
        const std::vector<Run> keys = runs(m_fields, prefix, begin, end);
        QStringList allowed;
        for (const Run &run : keys)
            allowed.append(run.key);
        f.allowOnly(allowed);
        for (const Run &run : keys) {
            if (f.failed())
                return;
            const PartField &first = m_fields[run.begin];
            const QByteArray key = run.key.toLatin1();
            if (first.type == FieldType::Object)
                readChild(f, key, prefix + run.key + QLatin1Char('/'), run);
            else if (run.end - run.begin > 1 ||
                     QLatin1String(first.path).endsWith(QLatin1String("/0")))
                readArray(f, key, run);
            else
                readScalar(f, key, first);
        }
    }

    PartValues values;

private:
    void readChild(JsonFields &f, const QByteArray &key, const QString &prefix, const Run &run) {
        const QJsonValue v = f.value(key.constData(), m_fields[run.begin].required);
        if (!f.failed() && !v.isUndefined() && !v.isNull())
            readObject(v, f.path(key.constData()), prefix, run.begin + 1, run.end);
    }

    void readArray(JsonFields &f, const QByteArray &key, const Run &run) {
        const int n = int(run.end - run.begin);
        const QJsonValue v = f.value(key.constData(), m_fields[run.begin].required);
        if (f.failed())
            return;
        if (v.isUndefined() || v.isNull()) {
            for (std::size_t i = run.begin; i < run.end; ++i)
                keepInitial(m_fields[i]);
            return;
        }
        std::vector<double> numbers(std::size_t(n), 0.);
        if (!JsonFields::numbers(v, f.path(key.constData()), n, numbers.data(), m_error))
            return;
        for (int k = 0; k < n; ++k) {
            const PartField &field = m_fields[run.begin + std::size_t(k)];
            check(field, numbers[std::size_t(k)], JsonFields::indexed(f.path(key.constData()), k),
                  f.path(key.constData()));
            values.set(field.path, numbers[std::size_t(k)]);
        }
    }

    void readScalar(JsonFields &f, const QByteArray &key, const PartField &field) {
        const char *k = key.constData();
        if (waived(field)) {
            // Given in the stead of another: both would say where the part is.
            if (!values.value(QLatin1String(field.waivedBy)).isBool() && f.has(k))
                fail(DocumentError::Kind::BesideOutline, f.path(k));
            return;
        }
        const bool present = f.has(k) && !f.isNull(k);
        QJsonValue v;
        switch (field.type) {
        case FieldType::Number:
            v = f.number(k, 0, field.required);
            break;
        case FieldType::Integer:
        case FieldType::Count:
            v = f.integer(k, 0, field.required);
            break;
        case FieldType::Boolean:
            v = f.value(k, field.required);
            if (present && !v.isBool())
                JsonFields::fail(m_error, DocumentError::Kind::NotABoolean, f.path(k));
            break;
        case FieldType::Text:
            v = f.value(k, field.required);
            if (present && !v.isString())
                JsonFields::fail(m_error, DocumentError::Kind::NotText, f.path(k));
            else if (present && field.limit == FieldLimit::CriteriaName &&
                     !criteriaNames().contains(v.toString()))
                fail(DocumentError::Kind::UnknownCriteria, f.path(k));
            break;
        case FieldType::Points: {
            const std::vector<earthing::Point2> points = f.points2(k, field.required);
            if (f.failed())
                return;
            if (!present) {
                keepInitial(field);
                return;
            }
            if (field.limit == FieldLimit::Polygon && values.boolean("open"))
                checkOutline(points, f.path(k));
            else if (field.limit == FieldLimit::Polygon)
                checkPolygon(points, f.path(k));
            else if (field.limit == FieldLimit::Outline)
                checkOutline(points, f.path(k));
            values.setPoints(field.path, points);
            return;
        }
        case FieldType::Object:
            return;
        }
        if (f.failed())
            return;
        if (!present) {
            keepInitial(field);
            return;
        }
        if (v.isDouble())
            check(field, v.toDouble(), f.path(k), f.path(k));
        values.set(field.path, v);
    }

    bool waived(const PartField &field) const {
        if (field.waivedBy == nullptr)
            return false;
        const QJsonValue by = values.value(QLatin1String(field.waivedBy));
        return by.isBool() ? by.toBool() : values.has(field.waivedBy);
    }

    // A fence's outline: a side at least, a closed one's two sides and its closing one;
    // at most as many corners as a polygon, each side tested as a polygon's edges are.
    void checkOutline(const std::vector<earthing::Point2> &corners, const QString &path) {
        const int least = values.boolean("closed") ? 3 : 2;
        if (int(corners.size()) < least)
            fail(DocumentError::Kind::TooFewOutlineCorners, path, least);
        else if (corners.size() > earthing::PlanPolygon::kMostCorners)
            fail(DocumentError::Kind::TooManyCorners, path,
                 int(earthing::PlanPolygon::kMostCorners));
    }

    static QStringList criteriaNames() {
        return {QLatin1String(PartSchema::criteriaName(Criteria::Ieee80)),
                QLatin1String(PartSchema::criteriaName(Criteria::En50522))};
    }

    // A touch area or the surface layer's zone: a simple polygon with an inside, else the
    // searches would keep no point in it, or points outside it.
    void checkPolygon(const std::vector<earthing::Point2> &corners, const QString &path) {
        if (corners.size() < 3) {
            fail(DocumentError::Kind::TooFewCorners, path);
            return;
        }
        // Before the check of every pair of edges, and the searches' test of every point
        // against every edge.
        if (corners.size() > earthing::PlanPolygon::kMostCorners) {
            fail(DocumentError::Kind::TooManyCorners, path,
                 int(earthing::PlanPolygon::kMostCorners));
            return;
        }
        // From the first corner, so that site coordinates of millions of metres keep their
        // centimetres in the areas.
        std::vector<earthing::Point2> local;
        for (const earthing::Point2 &p : corners)
            local.push_back({p.x - corners[0].x, p.y - corners[0].y});
        const earthing::Rectangle box = earthing::PlanPolygon::bounds(local);
        const double extent = std::max(box.x1 - box.x0, box.y1 - box.y0);
        // Relative to the polygon's size, so that a plot of a few centimetres is kept. Corners
        // in a line fold back on themselves too: said as what they are, before crossing.
        const auto flat = [&](const std::vector<earthing::Point2> &polygon) {
            return polygon.size() < 3 ||
                   !(std::abs(earthing::PlanPolygon::area(polygon)) > kLeastArea * extent * extent);
        };
        if (flat(earthing::PlanPolygon::convexHull(local)))
            fail(DocumentError::Kind::NoArea, path);
        else if (earthing::PlanPolygon::selfCrossing(local))
            fail(DocumentError::Kind::SelfCrossing, path);
        else if (flat(local))
            fail(DocumentError::Kind::NoArea, path);
    }
    static constexpr double kLeastArea = 1e-9;

    // An optional field left out takes its initial value, when it has one.
    void keepInitial(const PartField &field) {
        if (!field.required && !field.initial.isUndefined())
            values.set(field.path, field.initial);
    }

    void fail(DocumentError::Kind kind, const QString &path, int expected = 0) {
        JsonFields::fail(m_error, kind, path, expected);
    }

    // whole: the path of the array an element belongs to, or the field's own.
    void check(const PartField &field, double v, const QString &path, const QString &whole) {
        constexpr int kMax = PartSchema::kMaxCount;
        // Metres, whatever else the field takes: beyond the solver's reach at its own path,
        // before a shape expanded from it overflows.
        const bool metres = field.role == FieldRole::Place || field.role == FieldRole::Length ||
                            field.role == FieldRole::Depth || field.role == FieldRole::Diameter;
        if (metres && field.type == FieldType::Number && !JsonFields::withinReach(v, path, m_error))
            return;
        switch (field.limit) {
        case FieldLimit::None:
            return;
        case FieldLimit::Positive:
            if (!(v > 0))
                fail(DocumentError::Kind::NotPositive, path);
            return;
        case FieldLimit::Counted:
            if (v != std::trunc(v) || v < 1 || v > kMax)
                fail(DocumentError::Kind::CountOutOfRange, path, kMax);
            return;
        case FieldLimit::AtLeastThree:
            if (v < 3 || v > kMax)
                fail(DocumentError::Kind::TooFewRods, path, kMax);
            return;
        case FieldLimit::InsideSize: {
            // The same way's size: "cut/1" against "size/1".
            const QString size = QStringLiteral("size/") + QString::fromLatin1(field.path).right(1);
            if (!(v > 0))
                fail(DocumentError::Kind::NotPositive, path);
            else if (!(v < values.value(size).toDouble()))
                fail(DocumentError::Kind::CutTooLarge, whole);
            return;
        }
        case FieldLimit::BodyWeight:
            if (v != 50 && v != 70)
                fail(DocumentError::Kind::NotBodyWeight, path);
            return;
        case FieldLimit::NotNegative:
            if (!(v >= 0))
                fail(DocumentError::Kind::Negative, path);
            return;
        case FieldLimit::Polygon:
        case FieldLimit::Outline:
        case FieldLimit::CriteriaName:
            return; // not numbers: checked where read
        }
    }

    const std::vector<PartField> &m_fields;
    DocumentError &m_error;
};

QJsonObject writeObject(const std::vector<PartField> &fields, const PartValues &values,
                        const QString &prefix, std::size_t begin, std::size_t end) {
    QJsonObject o;
    for (const Run &run : runs(fields, prefix, begin, end)) {
        const PartField &first = fields[run.begin];
        if (first.type == FieldType::Object) {
            const QJsonObject child = writeObject(
                fields, values, prefix + run.key + QLatin1Char('/'), run.begin + 1, run.end);
            if (!child.isEmpty())
                o[run.key] = child;
        } else if (run.end - run.begin > 1 ||
                   QLatin1String(first.path).endsWith(QLatin1String("/0"))) {
            if (!values.has(first.path))
                continue;
            QJsonArray array;
            for (std::size_t i = run.begin; i < run.end; ++i)
                array.append(values.value(QLatin1String(fields[i].path)));
            o[run.key] = array;
        } else if (values.has(first.path)) {
            o[run.key] = values.value(QLatin1String(first.path));
        }
    }
    return o;
}

} // namespace

PartValues PartSchema::read(const std::vector<PartField> &fields, const QJsonValue &value,
                            const QString &path, DocumentError &error) {
    Reader reader(fields, error);
    reader.readObject(value, path, QString(), 0, fields.size());
    return reader.values;
}

QJsonObject PartSchema::write(const std::vector<PartField> &fields, const PartValues &values) {
    return writeObject(fields, values, QString(), 0, fields.size());
}

} // namespace tav
