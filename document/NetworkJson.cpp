#include "document/NetworkJson.h"

#include "document/JsonFields.h"

#include <cmath>

namespace tav {

using namespace network;

namespace {

using Field = NetworkPlace::Field;

QString joined(const QString &path, const QString &key) {
    return path.isEmpty() ? key : path + QLatin1Char('.') + key;
}

// A current: a number (in phase with the others) or [re, im].
Complex readCurrent(JsonFields &f, const char *key, bool required, DocumentError &error) {
    const QJsonValue v = f.value(key, required);
    if (f.failed() || v.isUndefined() || v.isNull())
        return {};
    if (v.isDouble())
        return {v.toDouble(), 0};
    double parts[2] = {0, 0};
    if (!v.isArray()) {
        JsonFields::fail(error, DocumentError::Kind::NotANumber, f.path(key));
        return {};
    }
    JsonFields::numbers(v, f.path(key), 2, parts, error);
    return {parts[0], parts[1]};
}

// An impedance per km: [re, im].
Complex readComplex(JsonFields &f, const char *key, DocumentError &error) {
    const QJsonValue v = f.value(key, true);
    double parts[2] = {0, 0};
    if (!f.failed())
        JsonFields::numbers(v, f.path(key), 2, parts, error);
    return {parts[0], parts[1]};
}

QString readName(JsonFields &f, DocumentError &error) {
    const QJsonValue v = f.value("name", false);
    if (!f.failed() && !v.isUndefined() && !v.isNull() && !v.isString())
        JsonFields::fail(error, DocumentError::Kind::NotText, f.path("name"));
    return v.toString();
}

// An earth wire, a sheath or an armour: its impedances per km, or its resistance and
// radius (an earth wire's at its place on the towers).
ReturnConductor readConductor(const QJsonValue &value, const QString &path, bool onTowers,
                              DocumentError &error) {
    JsonFields f(value, path, error);
    ReturnConductor c;
    c.given = f.has("impedance") || f.has("mutual");
    if (c.given) {
        f.allowOnly({"impedance", "mutual"});
        c.impedance = readComplex(f, "impedance", error);
        c.mutual = readComplex(f, "mutual", error);
        return c;
    }
    if (onTowers)
        f.allowOnly({"resistance", "gmr", "height", "offset"});
    else
        f.allowOnly({"resistance", "mean_radius"});
    c.resistance = f.number("resistance", 0, true);
    c.gmr = f.number(onTowers ? "gmr" : "mean_radius", 0, true);
    if (onTowers) {
        c.at.height = f.number("height", 0, true);
        c.at.offset = f.number("offset", 0, false);
    }
    return c;
}

// One number for every tower, or a list of one per inner tower.
std::vector<double> readTowers(JsonFields &f, bool required, DocumentError &error) {
    const QJsonValue v = f.value("tower_resistance", required);
    if (f.failed() || v.isUndefined() || v.isNull())
        return {};
    if (v.isDouble())
        return {v.toDouble()};
    if (!v.isArray()) {
        JsonFields::fail(error, DocumentError::Kind::NotANumber, f.path("tower_resistance"));
        return {};
    }
    std::vector<double> towers;
    const QJsonArray array = v.toArray();
    for (int k = 0; k < array.size(); ++k) {
        if (!array[k].isDouble()) {
            JsonFields::fail(error, DocumentError::Kind::NotANumber,
                             JsonFields::indexed(f.path("tower_resistance"), k));
            return {};
        }
        towers.push_back(array[k].toDouble());
    }
    return towers;
}

// A finite line's spans, or none for an endless one ("spans": null).
std::optional<int> readSpans(JsonFields &f, DocumentError &error) {
    if (!f.has("spans")) {
        JsonFields::fail(error, DocumentError::Kind::MissingKey, f.path("spans"));
        return std::nullopt;
    }
    if (f.isNull("spans"))
        return std::nullopt;
    return f.integer("spans", 1, true);
}

Line readLine(const QJsonValue &value, const QString &path, DocumentError &error) {
    JsonFields f(value, path, error);
    f.allowOnly({"name", "current", "spans", "span", "tower_resistance", "remote_resistance",
                 "earth_wires", "phase"});
    Line line;
    line.name = readName(f, error).toStdString();
    line.current = readCurrent(f, "current", true, error);
    const QJsonValue wires = f.value("earth_wires", false);
    if (!f.failed() && !wires.isUndefined() && !wires.isNull() && !wires.isArray())
        JsonFields::fail(error, DocumentError::Kind::NotAnArray, f.path("earth_wires"));
    const QJsonArray array = wires.toArray();
    bool geometry = false;
    for (int k = 0; k < array.size() && !f.failed(); ++k) {
        line.earthWires.push_back(
            readConductor(array[k], JsonFields::indexed(f.path("earth_wires"), k), true, error));
        geometry = geometry || !line.earthWires.back().given;
    }
    // Without earth wires the line takes nothing back: its spans and towers may be left out.
    const bool wired = !line.earthWires.empty();
    if (f.failed() || (!wired && !f.has("spans")))
        return line;
    line.spans = readSpans(f, error);
    line.span = f.number("span", 0, wired);
    line.towerResistance = readTowers(f, wired && (!line.spans || *line.spans > 1), error);
    line.remoteResistance = f.number("remote_resistance", 0, wired && line.spans);
    if (f.has("phase") || geometry) {
        JsonFields phase(f.value("phase", true), f.path("phase"), error);
        phase.allowOnly({"height", "offset"});
        line.phase.height = phase.number("height", 0, true);
        line.phase.offset = phase.number("offset", 0, false);
    }
    return line;
}

Cable readCable(const QJsonValue &value, const QString &path, DocumentError &error) {
    JsonFields f(value, path, error);
    f.allowOnly({"name", "current", "length", "remote_resistance", "sheath", "armour"});
    Cable cable;
    cable.name = readName(f, error).toStdString();
    cable.current = readCurrent(f, "current", true, error);
    cable.length = f.number("length", 0, true);
    cable.remoteResistance = f.number("remote_resistance", 0, true);
    const QJsonValue sheath = f.value("sheath", true);
    if (!f.failed())
        cable.sheath = readConductor(sheath, f.path("sheath"), false, error);
    if (!f.failed() && f.has("armour") && !f.isNull("armour"))
        cable.armour = readConductor(f.value("armour", true), f.path("armour"), false, error);
    return cable;
}

template <class T, class Read>
std::vector<T> readList(JsonFields &f, const char *key, DocumentError &error, Read read) {
    std::vector<T> items;
    const QJsonValue v = f.value(key, false);
    if (f.failed() || v.isUndefined() || v.isNull())
        return items;
    if (!v.isArray()) {
        JsonFields::fail(error, DocumentError::Kind::NotAnArray, f.path(key));
        return items;
    }
    const QJsonArray array = v.toArray();
    for (int k = 0; k < array.size() && !f.failed(); ++k)
        items.push_back(read(array[k], JsonFields::indexed(f.path(key), k), error));
    return items;
}

bool hasGeometry(const Network &n) {
    for (const Line &line : n.lines)
        for (const ReturnConductor &c : line.earthWires)
            if (!c.given)
                return true;
    for (const Cable &cable : n.cables)
        if (!cable.sheath.given || (cable.armour && !cable.armour->given))
            return true;
    return false;
}

const char *key(Field field) {
    switch (field) {
    case Field::None:
        return "";
    case Field::Frequency:
        return "frequency";
    case Field::EarthReturnRho:
        return "earth_return_rho";
    case Field::LocalCurrent:
        return "local_current";
    case Field::Current:
        return "current";
    case Field::Spans:
        return "spans";
    case Field::Span:
        return "span";
    case Field::TowerResistance:
        return "tower_resistance";
    case Field::RemoteResistance:
        return "remote_resistance";
    case Field::Length:
        return "length";
    case Field::EarthWires:
        return "earth_wires";
    case Field::Resistance:
        return "resistance";
    case Field::Gmr:
        return "gmr";
    case Field::MeanRadius:
        return "mean_radius";
    case Field::Height:
        return "height";
    case Field::Offset:
        return "offset";
    case Field::Impedance:
        return "impedance";
    case Field::Mutual:
        return "mutual";
    }
    return "";
}

} // namespace

QString NetworkJson::path(const QString &prefix, const NetworkPlace &place) {
    QString p = prefix;
    if (place.branch == NetworkPlace::Branch::Line)
        p = joined(p, JsonFields::indexed(QStringLiteral("lines"), place.index));
    else if (place.branch == NetworkPlace::Branch::Cable)
        p = joined(p, JsonFields::indexed(QStringLiteral("cables"), place.index));
    switch (place.conductor) {
    case NetworkPlace::Conductor::None:
        break;
    case NetworkPlace::Conductor::EarthWire:
        p = joined(p, JsonFields::indexed(QStringLiteral("earth_wires"), place.wire));
        break;
    case NetworkPlace::Conductor::Phase:
        p = joined(p, QStringLiteral("phase"));
        break;
    case NetworkPlace::Conductor::Sheath:
        p = joined(p, QStringLiteral("sheath"));
        break;
    case NetworkPlace::Conductor::Armour:
        p = joined(p, QStringLiteral("armour"));
        break;
    }
    if (place.field == Field::None)
        return p;
    const QString field = QLatin1String(key(place.field));
    return joined(p, place.item >= 0 ? JsonFields::indexed(field, place.item) : field);
}

NetworkPart NetworkJson::read(const QJsonValue &value, const QString &path,
                              std::optional<double> deepestRho, DocumentError &error) {
    NetworkPart part;
    part.json = value.toObject();
    JsonFields f(value, path, error);
    f.allowOnly({"frequency", "earth_return_rho", "local_current", "decrement", "lines", "cables"});
    Network &n = part.model;
    n.frequency = f.number("frequency", 0, true);
    n.localCurrent = readCurrent(f, "local_current", false, error);
    part.decrement = f.number("decrement", 1, false);
    n.lines = readList<Line>(f, "lines", error, readLine);
    n.cables = readList<Cable>(f, "cables", error, readCable);
    const bool given = f.has("earth_return_rho") && !f.isNull("earth_return_rho");
    n.earthReturnRho = f.number("earth_return_rho", deepestRho.value_or(0), false);
    if (f.failed())
        return part;
    // Carson's formulas need the earth's resistivity; impedances given per km do not.
    if (!given && !deepestRho && hasGeometry(n)) {
        JsonFields::fail(error, DocumentError::Kind::MissingKey, f.path("earth_return_rho"));
        return part;
    }
    if (!(std::isfinite(part.decrement) && part.decrement >= 1)) {
        JsonFields::fail(error, DocumentError::Kind::Refused, f.path("decrement"));
        error.refusal = Refusal{Error::BelowOne, Quantity::DecrementFactor, {part.decrement}};
        return part;
    }
    if (const std::optional<NetworkFault> fault = NetworkCheck::check(n)) {
        JsonFields::fail(error, DocumentError::Kind::Refused,
                         NetworkJson::path(path, fault->place));
        error.refusal = fault->refusal;
    }
    return part;
}

} // namespace tav
