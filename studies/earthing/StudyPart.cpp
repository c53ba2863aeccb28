#include "studies/earthing/StudyPart.h"

#include "text/StringIds.h"

using Kind = StudyPart::Kind;
using Role = StudyPart::Role;
using Type = StudyPart::Type;

namespace {

Role roleOf(tav::FieldRole role) {
    switch (role) {
    case tav::FieldRole::Place:
        return Role::Place;
    case tav::FieldRole::Length:
        return Role::Length;
    case tav::FieldRole::Count:
        return Role::Count;
    case tav::FieldRole::Depth:
        return Role::Depth;
    case tav::FieldRole::Diameter:
    case tav::FieldRole::Other:
        break;
    }
    return Role::Diameter;
}

Type typeOf(tav::FieldType type) {
    switch (type) {
    case tav::FieldType::Integer:
    case tav::FieldType::Count:
        return Type::Integer;
    case tav::FieldType::Points:
        return Type::Points;
    case tav::FieldType::Text:
        return Type::Text;
    case tav::FieldType::Number:
    case tav::FieldType::Boolean:
    case tav::FieldType::Object:
        break;
    }
    return Type::Number;
}

} // namespace

const QVector<Kind> &StudyPart::kinds() {
    static const QVector<Kind> all(tav::PartSchema::kinds().begin(),
                                   tav::PartSchema::kinds().end());
    return all;
}

const QVector<Kind> &StudyPart::offered() {
    static const QVector<Kind> all{Kind::Grid, Kind::LGrid, Kind::Conductor, Kind::Rods,
                                   Kind::Ring, Kind::Fence, Kind::TouchArea, Kind::TouchPoint};
    return all;
}

const char *StudyPart::key(Kind kind) {
    return tav::PartSchema::key(kind);
}

unsigned StudyPart::nameId(Kind kind) {
    return tav::PartSchema::nameId(kind);
}

// The fields the window offers: those of the schema with a label.
QVector<StudyPart::Field> StudyPart::fields(Kind kind) {
    return fields(tav::PartSchema::fields(kind));
}

QVector<StudyPart::Field> StudyPart::fields(const std::vector<tav::PartField> &table) {
    QVector<Field> fields;
    for (const tav::PartField &f : table)
        if (f.label != 0)
            fields.append({QString::fromLatin1(f.path), f.label, roleOf(f.role), typeOf(f.type)});
    return fields;
}

StudyPart StudyPart::made(Kind kind) {
    return {kind, tav::PartSchema::defaults(kind)};
}

int StudyPart::group() const {
    const QJsonValue g = json.value(QStringLiteral("group"));
    if (kind == Kind::Fence && (g.isUndefined() || g.isNull()))
        return -1;
    return g.toInt(0);
}

bool StudyPart::floating() const {
    return group() != 0;
}
