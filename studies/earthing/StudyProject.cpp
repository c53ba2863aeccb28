#include "studies/earthing/StudyProject.h"

#include "core/GridSafety.h"
#include "core/soilmodel/TwoLayerSoil.h"
#include "document/JsonFields.h"
#include "document/PartSchema.h"
#include "document/SystemDocument.h"
#include "report/ReportNumber.h"
#include "text/StringIds.h"
#include "ui/LanguageString.h"

#include <QJsonArray>
#include <QJsonDocument>

#include <algorithm>
#include <cmath>
#include <map>
#include <numeric>

using Kind = StudyPart::Kind;

StudyProject StudyProject::made() {
    StudyProject p;
    p.rest = {{QStringLiteral("soil"), QJsonObject{{QStringLiteral("rho"), 100}}},
              {QStringLiteral("current"), 1000},
              {QStringLiteral("safety"), QJsonObject{{QStringLiteral("duration"), 0.5},
                                                     {QStringLiteral("body"), 70},
                                                     {QStringLiteral("surface"), QJsonValue()}}}};
    p.parts.append(StudyPart::made(Kind::Grid));
    return p;
}

StudyProject StudyProject::overSoil(const tav::TwoLayerSoil &layers,
                                   std::optional<tav::InputOrigin::Soil> origin) {
    StudyProject p = made();
    QJsonObject soil{{QStringLiteral("rho1"), layers.rho1},
                     {QStringLiteral("rho2"), layers.rho2},
                     {QStringLiteral("h"), layers.h}};
    if (origin)
        tav::InputOrigin::write(*origin, soil);
    p.rest[QStringLiteral("soil")] = soil;
    return p;
}

StudyProject StudyProject::overSoil(const std::vector<double> &rho,
                                    const std::vector<double> &thickness,
                                    std::optional<tav::InputOrigin::Soil> origin) {
    if (rho.size() == 1)
        return overSoil(rho[0], UniformBecause::Fitted, origin);
    if (rho.size() == 2 && !thickness.empty())
        return overSoil(tav::TwoLayerSoil{rho[0], rho[1], thickness[0]}, origin);
    StudyProject p = made();
    QJsonArray layers;
    for (std::size_t k = 0; k < rho.size(); ++k) {
        QJsonObject layer{{QStringLiteral("rho"), rho[k]}};
        if (k + 1 < rho.size() && k < thickness.size())
            layer[QStringLiteral("thickness")] = thickness[k];
        layers.append(layer);
    }
    QJsonObject soil{{QStringLiteral("layers"), layers}};
    if (origin)
        tav::InputOrigin::write(*origin, soil);
    p.rest[QStringLiteral("soil")] = soil;
    return p;
}

StudyProject StudyProject::overSoil(double rho, UniformBecause why,
                                   std::optional<tav::InputOrigin::Soil> origin) {
    StudyProject p = made();
    QJsonObject soil{{QStringLiteral("rho"), rho}};
    if (origin)
        tav::InputOrigin::write(*origin, soil);
    p.rest[QStringLiteral("soil")] = soil;
    if (why == UniformBecause::LayersUndetermined)
        p.notice = LoadLanguageString(StringId::SoilModel::kLayersUndeterminedNotice)
                       .arg(ReportNumber::given(rho));
    return p;
}

StudyProject StudyProject::ofGridCheck(const tav::GridSafetyInput &in,
                                      std::optional<tav::InputOrigin::Current> basis) {
    StudyProject p = made();
    p.rest[QStringLiteral("soil")] = QJsonObject{{QStringLiteral("rho"), in.soilResistivity}};
    p.rest[QStringLiteral("current")] = in.gridCurrent;
    if (basis)
        p.rest[QStringLiteral("current_basis")] = tav::InputOrigin::write(*basis);
    QJsonObject safety{{QStringLiteral("duration"), in.faultDuration},
                       {QStringLiteral("body"), in.body == tav::BodyWeight::Kg70 ? 70 : 50},
                       {QStringLiteral("surface"), QJsonValue()}};
    if (in.surface)
        safety[QStringLiteral("surface")] =
            QJsonObject{{QStringLiteral("rho"), in.surface->resistivity},
                        {QStringLiteral("thickness"), in.surface->thickness}};
    p.rest[QStringLiteral("safety")] = safety;
    // The check's spacing, both ways: as many conductors as fit at it, from edge to edge.
    const auto count = [&in](double side) {
        return in.spacing > 0 ? int(std::lround(side / in.spacing)) + 1 : 2;
    };
    QJsonObject grid{
        {QStringLiteral("origin"), QJsonArray{0, 0}},
        {QStringLiteral("size"), QJsonArray{in.lengthX, in.lengthY}},
        {QStringLiteral("conductors"), QJsonArray{count(in.lengthX), count(in.lengthY)}},
        {QStringLiteral("depth"), in.depth},
        {QStringLiteral("diameter"), in.conductorDiameter},
        {QStringLiteral("group"), 0}};
    if (in.rods.count > 0) {
        // The check takes no rod diameter: a new grid rod's, the common one.
        QJsonObject rods{
            {QStringLiteral("length"), in.rods.length},
            {QStringLiteral("diameter"),
             tav::PartSchema::initial(tav::PartKind::Grid, QStringLiteral("rods/diameter"))}};
        if (in.rods.onPerimeter)
            rods[QStringLiteral("count")] = in.rods.count;
        else
            rods[QStringLiteral("corners")] = true;
        grid[QStringLiteral("rods")] = rods;
    }
    p.parts = {{StudyPart::Kind::Grid, grid}};
    return p;
}

std::optional<StudyProject> StudyProject::fromJson(const QByteArray &json,
                                                   tav::DocumentError &error) {
    error = {};
    QJsonParseError parse;
    const QJsonDocument document = QJsonDocument::fromJson(json, &parse);
    if (parse.error != QJsonParseError::NoError) {
        error.kind = tav::DocumentError::Kind::NotJson;
        error.offset = parse.offset;
        return std::nullopt;
    }
    if (!document.isObject()) {
        tav::JsonFields::fail(error, tav::DocumentError::Kind::NotAnObject, QString());
        return std::nullopt;
    }
    tav::SystemDocument::readVersion(document.object().value(QStringLiteral("version")), error);
    if (error.kind == tav::DocumentError::Kind::NewerVersion)
        return std::nullopt;
    error = {};
    StudyProject p;
    p.rest = document.object();
    // Written afresh from what the study holds (document()).
    p.rest.remove(QStringLiteral("version"));
    for (Kind kind : StudyPart::kinds()) {
        const QString key = QLatin1String(StudyPart::key(kind));
        const QJsonValue v = p.rest.take(key);
        if (v.isUndefined() || v.isNull())
            continue;
        if (!v.isArray()) {
            tav::JsonFields::fail(error, tav::DocumentError::Kind::NotAnArray, key);
            return std::nullopt;
        }
        const QJsonArray array = v.toArray();
        for (int k = 0; k < array.size(); ++k) {
            if (!array[k].isObject()) {
                tav::JsonFields::fail(error, tav::DocumentError::Kind::NotAnObject,
                                      tav::JsonFields::indexed(key, k));
                return std::nullopt;
            }
            p.parts.append({kind, array[k].toObject()});
        }
    }
    return p;
}

QJsonObject StudyProject::document() const {
    QJsonObject o = rest;
    std::map<Kind, QJsonArray> arrays;
    for (const StudyPart &part : parts)
        arrays[part.kind].append(part.json);
    for (const auto &[kind, array] : arrays)
        o[QLatin1String(StudyPart::key(kind))] = array;
    // The lowest version that holds what the study has, so that a program that knows no
    // drawings still opens a study without them, and refuses one with them as newer.
    const bool drawn = arrays.count(Kind::Drawing) || o.contains(QStringLiteral("site_origin"));
    o[QStringLiteral("version")] = tav::SystemDocument::versionFor(
        drawn, o.contains(QStringLiteral("network")), o.contains(QStringLiteral("cases")),
        o.contains(QStringLiteral("design")) || o.contains(QStringLiteral("designed")));
    return o;
}


bool StudyProject::soilLayered(const QJsonObject &soil) {
    const bool uniformFit = (soil.contains(QStringLiteral("h")) && soil.value(QStringLiteral("h")).isNull()) ||
                            (soil.value(QStringLiteral("layered")).isBool() &&
                             !soil.value(QStringLiteral("layered")).toBool());
    const bool layers = soil.contains(QStringLiteral("rho1")) ||
                        soil.contains(QStringLiteral("rho2")) || soil.contains(QStringLiteral("h"));
    return layers && !soil.contains(QStringLiteral("rho")) && !uniformFit;
}

QByteArray StudyProject::toJson() const {
    return QJsonDocument(document()).toJson(QJsonDocument::Indented);
}

int StudyProject::insert(const StudyPart &part) {
    const int order = StudyPart::kinds().indexOf(part.kind);
    int at = 0;
    while (at < parts.size() && StudyPart::kinds().indexOf(parts[at].kind) <= order)
        ++at;
    parts.insert(at, part);
    return at;
}

namespace {

bool isPlace(Kind kind) {
    return kind == Kind::TouchArea || kind == Kind::TouchPoint;
}

bool isEmptyArray(const QJsonObject &o, const char *key) {
    return o.value(QLatin1String(key)).toArray().isEmpty();
}

// Whether a part's group counts when the fences without one are numbered above the rest:
// rods at no place and a drawing of nothing give no conductor, as the document reads them.
bool givesMetal(const StudyPart &part) {
    if (part.kind == Kind::Rods)
        return !isEmptyArray(part.json, "at");
    if (part.kind == Kind::Drawing)
        return !isEmptyArray(part.json, "conductors") || !isEmptyArray(part.json, "rods");
    return true;
}

} // namespace

QVector<int> StudyProject::metalGroups() const {
    QVector<int> groups(parts.size(), -1);
    int highest = 0;
    for (int k = 0; k < parts.size(); ++k) {
        if (isPlace(parts[k].kind) || parts[k].group() < 0)
            continue;
        groups[k] = parts[k].group();
        if (givesMetal(parts[k]))
            highest = std::max(highest, groups[k]);
    }
    for (int k = 0; k < parts.size(); ++k)
        if (!isPlace(parts[k].kind) && parts[k].group() < 0)
            groups[k] = ++highest;
    return groups;
}

QVector<int> StudyProject::placesOn(int index) const {
    const QVector<int> groups = metalGroups();
    if (index < 0 || index >= parts.size() || groups[index] < 0)
        return {};
    for (int k = 0; k < parts.size(); ++k)
        if (k != index && groups[k] == groups[index])
            return {}; // the group stays with its other metal
    QVector<int> places;
    for (int k = 0; k < parts.size(); ++k)
        if (isPlace(parts[k].kind) && parts[k].group() == groups[index])
            places.append(k);
    return places;
}

void StudyProject::followGroups(const QVector<int> &before, const QVector<int> &from, int changed) {
    const QVector<int> after = metalGroups();
    std::map<int, int> renumbered;
    for (int k = 0; k < parts.size(); ++k)
        if (after[k] >= 0 && from[k] >= 0 && from[k] != changed)
            renumbered.emplace(before[from[k]], after[k]);
    // A part's own group, when no other metal kept it, goes where the part went.
    for (int k = 0; k < parts.size(); ++k)
        if (changed >= 0 && from[k] == changed && after[k] >= 0)
            renumbered.emplace(before[changed], after[k]);
    for (StudyPart &part : parts) {
        if (!isPlace(part.kind))
            continue;
        const auto to = renumbered.find(part.group());
        if (to != renumbered.end())
            part.json[QStringLiteral("group")] = to->second;
    }
}

void StudyProject::remove(int index) {
    const QVector<int> before = metalGroups();
    const QVector<int> places = placesOn(index);
    QVector<int> from;
    for (int k = 0; k < parts.size(); ++k)
        if (k != index && !places.contains(k))
            from.append(k);
    QVector<StudyPart> kept;
    for (int k : std::as_const(from))
        kept.append(parts[k]);
    parts = kept;
    compactGroups();
    followGroups(before, from, -1);
}

void StudyProject::move(int index, int to) {
    const QVector<int> before = metalGroups();
    QVector<int> from(parts.size());
    std::iota(from.begin(), from.end(), 0);
    parts.move(index, to);
    from.move(index, to);
    followGroups(before, from, -1);
}

void StudyProject::setFloating(int index, bool floating) {
    StudyPart &part = parts[index];
    if (part.floating() == floating)
        return;
    const QVector<int> before = metalGroups();
    if (!floating) {
        part.json[QStringLiteral("group")] = 0;
    } else if (part.kind == Kind::Fence) {
        part.json.remove(QStringLiteral("group"));
    } else {
        int highest = 0;
        for (const StudyPart &other : std::as_const(parts))
            highest = std::max(highest, other.group());
        part.json[QStringLiteral("group")] = highest + 1;
    }
    compactGroups();
    QVector<int> from(parts.size());
    std::iota(from.begin(), from.end(), 0);
    followGroups(before, from, index);
}

void StudyProject::compactGroups() {
    // The metal's groups numbered 1, 2, ... in the order first used; the solver takes no
    // gap. The touch areas and points follow them (followGroups).
    std::map<int, int> renumbered;
    for (const StudyPart &part : std::as_const(parts))
        if (!isPlace(part.kind) && part.group() > 0)
            renumbered.emplace(part.group(), 0);
    int next = 0;
    for (auto &[old, fresh] : renumbered)
        fresh = ++next;
    for (StudyPart &part : parts)
        if (!isPlace(part.kind) && part.group() > 0)
            part.json[QStringLiteral("group")] = renumbered.at(part.group());
}

std::optional<std::pair<int, QString>> StudyProject::partAt(const QString &documentPath) const {
    const int bracket = documentPath.indexOf(QLatin1Char('['));
    const int close = documentPath.indexOf(QLatin1Char(']'));
    if (bracket < 0 || close < bracket)
        return std::nullopt;
    const QString key = documentPath.left(bracket);
    bool ok = false;
    const int index = documentPath.mid(bracket + 1, close - bracket - 1).toInt(&ok);
    if (!ok)
        return std::nullopt;
    int seen = 0;
    for (int k = 0; k < parts.size(); ++k) {
        if (QLatin1String(StudyPart::key(parts[k].kind)) != key)
            continue;
        if (seen++ == index) {
            QString inner = documentPath.mid(close + 1);
            if (inner.startsWith(QLatin1Char('.')))
                inner.remove(0, 1);
            return std::make_pair(k, inner);
        }
    }
    return std::nullopt;
}

int StudyProject::partOf(const tav::ConductorSource &source) const {
    int seen = 0;
    for (int k = 0; k < parts.size(); ++k)
        if (parts[k].kind == source.kind && seen++ == source.index)
            return k;
    return -1;
}
