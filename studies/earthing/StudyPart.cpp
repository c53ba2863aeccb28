#include "studies/earthing/StudyPart.h"

#include "text/StringIds.h"

#include <QJsonArray>

using namespace StringId::EarthingStudy;
using Kind = StudyPart::Kind;
using Role = StudyPart::Role;
using Type = StudyPart::Type;

namespace {

QVector<StudyPart::Field> rectangleFields() {
    return {{QStringLiteral("origin/0"), kOriginX, Role::Place},
            {QStringLiteral("origin/1"), kOriginY, Role::Place},
            {QStringLiteral("size/0"), kSideX, Role::Length},
            {QStringLiteral("size/1"), kSideY, Role::Length},
            {QStringLiteral("conductors/0"), kCountX, Role::Count, Type::Integer},
            {QStringLiteral("conductors/1"), kCountY, Role::Count, Type::Integer},
            {QStringLiteral("depth"), kDepth, Role::Depth},
            {QStringLiteral("diameter"), kDiameter, Role::Diameter}};
}

QVector<StudyPart::Field> gridRodFields() {
    return {{QStringLiteral("rods/count"), kRodCount, Role::Count, Type::Integer},
            {QStringLiteral("rods/length"), kRodLength, Role::Length},
            {QStringLiteral("rods/diameter"), kRodDiameter, Role::Diameter}};
}

QJsonObject rectangle(double side, int count) {
    return {{QStringLiteral("origin"), QJsonArray{0, 0}},
            {QStringLiteral("size"), QJsonArray{side, side}},
            {QStringLiteral("conductors"), QJsonArray{count, count}},
            {QStringLiteral("depth"), 0.5},
            {QStringLiteral("diameter"), 0.0105},
            {QStringLiteral("group"), 0}};
}

} // namespace

const QVector<Kind> &StudyPart::kinds() {
    static const QVector<Kind> all{Kind::Conductor, Kind::Grid, Kind::Rods,
                                   Kind::LGrid,     Kind::Ring, Kind::Fence};
    return all;
}

const QVector<Kind> &StudyPart::offered() {
    static const QVector<Kind> all{Kind::Grid, Kind::LGrid, Kind::Conductor,
                                   Kind::Rods, Kind::Ring,  Kind::Fence};
    return all;
}

const char *StudyPart::key(Kind kind) {
    switch (kind) {
    case Kind::Grid:
        return "grids";
    case Kind::LGrid:
        return "l_grids";
    case Kind::Conductor:
        return "conductors";
    case Kind::Rods:
        return "rods";
    case Kind::Ring:
        return "rings";
    case Kind::Fence:
        return "fences";
    }
    return "";
}

unsigned StudyPart::nameId(Kind kind) {
    return kKindGrid + unsigned(offered().indexOf(kind));
}

QVector<StudyPart::Field> StudyPart::fields(Kind kind) {
    switch (kind) {
    case Kind::Grid:
        return rectangleFields() + gridRodFields();
    case Kind::LGrid: {
        QVector<Field> f = rectangleFields();
        f.append({QStringLiteral("cut/0"), kCutX, Role::Length});
        f.append({QStringLiteral("cut/1"), kCutY, Role::Length});
        return f + gridRodFields();
    }
    case Kind::Conductor:
        return {{QStringLiteral("from/0"), kFromX, Role::Place},
                {QStringLiteral("from/1"), kFromY, Role::Place},
                {QStringLiteral("from/2"), kFromZ, Role::Depth},
                {QStringLiteral("to/0"), kToX, Role::Place},
                {QStringLiteral("to/1"), kToY, Role::Place},
                {QStringLiteral("to/2"), kToZ, Role::Depth},
                {QStringLiteral("diameter"), kDiameter, Role::Diameter}};
    case Kind::Rods:
        return {{QStringLiteral("at"), kRodPlaces, Role::Place, Type::Points},
                {QStringLiteral("top"), kRodTop, Role::Depth},
                {QStringLiteral("length"), kRodLength, Role::Length},
                {QStringLiteral("diameter"), kRodDiameter, Role::Diameter}};
    case Kind::Ring:
        return {{QStringLiteral("centre/0"), kCentreX, Role::Place},
                {QStringLiteral("centre/1"), kCentreY, Role::Place},
                {QStringLiteral("radius"), kRadius, Role::Length},
                {QStringLiteral("count"), kRodCount, Role::Count, Type::Integer},
                {QStringLiteral("depth"), kDepth, Role::Depth},
                {QStringLiteral("diameter"), kDiameter, Role::Diameter},
                {QStringLiteral("rod/length"), kRodLength, Role::Length},
                {QStringLiteral("rod/diameter"), kRodDiameter, Role::Diameter}};
    case Kind::Fence:
        return {{QStringLiteral("distance"), kFenceDistance, Role::Length},
                {QStringLiteral("posts/spacing"), kPostSpacing, Role::Length},
                {QStringLiteral("posts/length"), kPostLength, Role::Length},
                {QStringLiteral("posts/diameter"), kPostDiameter, Role::Diameter},
                {QStringLiteral("posts/top"), kPostTop, Role::Depth}};
    }
    return {};
}

StudyPart StudyPart::made(Kind kind) {
    const QJsonObject rod{{QStringLiteral("length"), 3}, {QStringLiteral("diameter"), 0.016}};
    StudyPart part{kind, {}};
    switch (kind) {
    case Kind::Grid:
        part.json = rectangle(20, 5);
        break;
    case Kind::LGrid:
        part.json = rectangle(30, 7);
        part.json[QStringLiteral("cut")] = QJsonArray{15, 15};
        break;
    case Kind::Conductor:
        part.json = {{QStringLiteral("from"), QJsonArray{0, 0, 0.5}},
                     {QStringLiteral("to"), QJsonArray{10, 0, 0.5}},
                     {QStringLiteral("diameter"), 0.0105},
                     {QStringLiteral("group"), 0}};
        break;
    case Kind::Rods:
        part.json = {{QStringLiteral("at"), QJsonArray{QJsonArray{0, 0}}},
                     {QStringLiteral("top"), 0.5},
                     {QStringLiteral("length"), 3},
                     {QStringLiteral("diameter"), 0.016},
                     {QStringLiteral("group"), 0}};
        break;
    case Kind::Ring:
        part.json = {{QStringLiteral("centre"), QJsonArray{0, 0}},
                     {QStringLiteral("radius"), 5},
                     {QStringLiteral("count"), 6},
                     {QStringLiteral("depth"), 0.5},
                     {QStringLiteral("diameter"), 0.0105},
                     {QStringLiteral("rod"), rod},
                     {QStringLiteral("group"), 0}};
        break;
    case Kind::Fence:
        part.json = {{QStringLiteral("distance"), 2},
                     {QStringLiteral("posts"), QJsonObject{{QStringLiteral("spacing"), 3},
                                                           {QStringLiteral("length"), 1},
                                                           {QStringLiteral("diameter"), 0.06},
                                                           {QStringLiteral("top"), 0.05}}}};
        break;
    }
    return part;
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
