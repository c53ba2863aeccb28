#include "document/DrawingPart.h"

#include "core/earthing/ConductorLayout.h"
#include "document/JsonFields.h"
#include "text/StringIds.h"

#include <QJsonArray>

#include <map>

namespace tav {

namespace {

using Type = FieldType;
using Role = FieldRole;
using Limit = FieldLimit;

const char *const kConductors = "conductors";
const char *const kRods = "rods";

using namespace StringId::EarthingStudy;
namespace Rows = StringId::DrawingRows;

// A row of the conductors' array: read as strictly as a conductor part, without a group
// of its own (the drawing's is every row's); a new row is a new conductor part's.
const std::vector<PartField> &conductorRow() {
    const auto initial = [](const char *path) {
        return PartSchema::initial(PartKind::Conductor, QLatin1String(path));
    };
    static const std::vector<PartField> rows{
        {"from/0", Type::Number, Role::Place, kFromX, initial("from/0")},
        {"from/1", Type::Number, Role::Place, kFromY, initial("from/1")},
        {"from/2", Type::Number, Role::Depth, kFromZ, initial("from/2")},
        {"to/0", Type::Number, Role::Place, kToX, initial("to/0")},
        {"to/1", Type::Number, Role::Place, kToY, initial("to/1")},
        {"to/2", Type::Number, Role::Depth, kToZ, initial("to/2")},
        {"diameter", Type::Number, Role::Diameter, kDiameter, initial("diameter"),
         Limit::Positive}};
    return rows;
}

// A new row is a new rods part's rod at 0, 0.
const std::vector<PartField> &rodRow() {
    const auto initial = [](const char *path) {
        return PartSchema::initial(PartKind::Rods, QLatin1String(path));
    };
    static const std::vector<PartField> rows{
        {"at/0", Type::Number, Role::Place, Rows::kX, 0},
        {"at/1", Type::Number, Role::Place, Rows::kY, 0},
        {"top", Type::Number, Role::Depth, Rows::kTop, initial("top")},
        {"length", Type::Number, Role::Length, kRodLength, initial("length"), Limit::Positive},
        {"diameter", Type::Number, Role::Diameter, kRodDiameter, initial("diameter"),
         Limit::Positive}};
    return rows;
}

// The rows of one array of the part, each read by its table; an absent array is empty.
template <class Row, class Fill>
std::vector<Row> readRows(const QJsonValue &value, const QString &path,
                          const std::vector<PartField> &table, DocumentError &error, Fill fill) {
    std::vector<Row> rows;
    if (value.isUndefined() || value.isNull())
        return rows;
    if (!value.isArray()) {
        JsonFields::fail(error, DocumentError::Kind::NotAnArray, path);
        return rows;
    }
    const QJsonArray array = value.toArray();
    for (int k = 0; k < array.size() && error.kind == DocumentError::Kind::None; ++k)
        rows.push_back(
            fill(PartSchema::read(table, array[k], JsonFields::indexed(path, k), error)));
    return rows;
}

} // namespace

DrawingPart DrawingPart::read(const QJsonValue &value, const QString &path, DocumentError &error) {
    DrawingPart part;
    // The table's fields from the object without its arrays, which its reader would take
    // for keys it does not know.
    QJsonObject scalars = value.toObject();
    scalars.remove(QLatin1String(kConductors));
    scalars.remove(QLatin1String(kRods));
    const PartValues v =
        PartSchema::read(PartSchema::fields(PartKind::Drawing),
                         value.isObject() ? QJsonValue(scalars) : value, path, error);
    if (error.kind != DocumentError::Kind::None)
        return part;
    part.name = v.value(QStringLiteral("name")).toString();
    part.group = v.integer("group");
    const QJsonObject o = value.toObject();
    const QString prefix = path + QLatin1Char('.');
    part.conductors = readRows<earthing::Conductor>(
        o.value(QLatin1String(kConductors)), prefix + QLatin1String(kConductors), conductorRow(),
        error, [&part](const PartValues &r) {
            return earthing::Conductor{{r.number("from/0"), r.number("from/1"), r.number("from/2")},
                                       {r.number("to/0"), r.number("to/1"), r.number("to/2")},
                                       r.number("diameter"),
                                       part.group};
        });
    part.rods = readRows<Rod>(o.value(QLatin1String(kRods)), prefix + QLatin1String(kRods),
                              rodRow(), error, [](const PartValues &r) {
                                  return Rod{{r.number("at/0"), r.number("at/1")},
                                             r.number("top"),
                                             r.number("length"),
                                             r.number("diameter")};
                              });
    return part;
}

QJsonObject DrawingPart::write() const {
    PartValues v;
    v.set("name", name);
    v.set("group", group);
    QJsonObject o = PartSchema::write(PartSchema::fields(PartKind::Drawing), v);
    QJsonArray cs;
    for (const earthing::Conductor &c : conductors) {
        PartValues r;
        r.set("from/0", c.from.x);
        r.set("from/1", c.from.y);
        r.set("from/2", c.from.z);
        r.set("to/0", c.to.x);
        r.set("to/1", c.to.y);
        r.set("to/2", c.to.z);
        r.set("diameter", c.diameter);
        cs.append(PartSchema::write(conductorRow(), r));
    }
    QJsonArray rs;
    for (const Rod &rod : rods) {
        PartValues r;
        r.set("at/0", rod.at.x);
        r.set("at/1", rod.at.y);
        r.set("top", rod.top);
        r.set("length", rod.length);
        r.set("diameter", rod.diameter);
        rs.append(PartSchema::write(rodRow(), r));
    }
    o[QLatin1String(kConductors)] = cs;
    o[QLatin1String(kRods)] = rs;
    return o;
}

std::vector<earthing::Conductor> DrawingPart::expanded() const {
    std::vector<earthing::Conductor> out;
    for (earthing::Conductor c : conductors) {
        c.group = group;
        out.push_back(c);
    }
    for (const Rod &rod : rods) {
        const std::vector<earthing::Conductor> one =
            earthing::ConductorLayout::rods({rod.at}, rod.top, rod.length, rod.diameter, group);
        out.insert(out.end(), one.begin(), one.end());
    }
    return out;
}

std::vector<QString> DrawingPart::fieldsOfExpanded() const {
    std::vector<QString> fields;
    for (std::size_t k = 0; k < conductors.size(); ++k)
        fields.push_back(JsonFields::indexed(QLatin1String(kConductors), int(k)));
    for (std::size_t k = 0; k < rods.size(); ++k)
        fields.push_back(JsonFields::indexed(QLatin1String(kRods), int(k)));
    return fields;
}

const char *DrawingPart::key(Rows rows) {
    return rows == Rows::Conductors ? kConductors : kRods;
}

const std::vector<PartField> &DrawingPart::rowFields(Rows rows) {
    return rows == Rows::Conductors ? conductorRow() : rodRow();
}

std::vector<DrawingPart> DrawingPart::fromPlan(const cad::ImportedPlan &plan, const QString &name) {
    std::map<int, DrawingPart> byGroup;
    for (const cad::ImportedConductor &c : plan.conductors)
        byGroup[c.group].conductors.push_back({c.from, c.to, c.diameter, c.group});
    for (const cad::ImportedRod &r : plan.rods)
        byGroup[r.group].rods.push_back({{r.x, r.y}, r.top, r.length, r.diameter});
    if (byGroup.empty())
        byGroup[0];
    std::vector<DrawingPart> parts;
    for (auto &[group, part] : byGroup) {
        part.group = group;
        part.name = byGroup.size() == 1 ? name
                                        : name + QStringLiteral(" (group ") +
                                              QString::number(group) + QLatin1Char(')');
        parts.push_back(std::move(part));
    }
    return parts;
}

} // namespace tav
