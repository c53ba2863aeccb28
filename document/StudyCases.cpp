#include "document/StudyCases.h"

#include "document/JsonFields.h"
#include "document/PartSchema.h"
#include "document/SystemDocument.h"

#include <QJsonObject>

#include <cmath>

namespace tav {

using earthing::EarthingSoil;

namespace {

// A factor per layer, each above 0.
std::vector<double> readScale(JsonFields &f, int layers, DocumentError &error) {
    std::vector<double> factors(std::size_t(layers), 1.0);
    const QString path = f.path("soil_scale");
    if (!JsonFields::numbers(f.value("soil_scale", true), path, layers, factors.data(), error))
        return {};
    for (int k = 0; k < layers; ++k)
        if (!(factors[std::size_t(k)] > 0)) {
            JsonFields::fail(error, DocumentError::Kind::NotPositive, JsonFields::indexed(path, k));
            return {};
        }
    return factors;
}

// The criteria a case varies are the study's: without them there is nothing to vary.
bool criteriaGiven(JsonFields &f, const char *key, const SystemDocument &d, DocumentError &error) {
    if (!f.has(key) || f.isNull(key) || f.failed())
        return false;
    if (!d.safety)
        JsonFields::fail(error, DocumentError::Kind::MissingKey, QStringLiteral("safety"));
    return d.safety.has_value();
}

// Df scales the current into the earth only where that current is worked out from the
// fault: by the network, or from the study's current_basis. A bare current, the study's or
// the case's own, is the current into the earth already, and a Df beside it would be
// silently ignored or applied twice.
std::optional<double> readDecrement(JsonFields &f, const StudyCase &c, const SystemDocument &d,
                                    DocumentError &error) {
    if (!f.has("decrement") || f.isNull("decrement") || f.failed())
        return std::nullopt;
    const QString path = f.path("decrement");
    if (c.current) {
        JsonFields::fail(error, DocumentError::Kind::DecrementBesideCurrent, path);
        return std::nullopt;
    }
    if (!d.network && !d.currentBasis) {
        JsonFields::fail(error, DocumentError::Kind::DecrementWithoutBasis, path);
        return std::nullopt;
    }
    const double decrement = f.number("decrement", 1, true);
    if (f.failed())
        return std::nullopt;
    // As the network's own Df is refused.
    if (!(std::isfinite(decrement) && decrement >= 1)) {
        JsonFields::fail(error, DocumentError::Kind::Refused, path);
        error.refusal = Refusal{Error::BelowOne, Quantity::DecrementFactor, {decrement}};
        return std::nullopt;
    }
    return decrement;
}

// The case's own surface layer, as safety.surface takes one (its area stays the study's),
// or null for none.
void readSurface(JsonFields &f, StudyCase &c, const SystemDocument &d, DocumentError &error) {
    if (!f.has("surface") || f.failed())
        return;
    if (!d.safety) {
        JsonFields::fail(error, DocumentError::Kind::MissingKey, QStringLiteral("safety"));
        return;
    }
    c.surfaceGiven = true;
    if (f.isNull("surface"))
        return;
    JsonFields s(f.value("surface", true), f.path("surface"), error);
    s.allowOnly({"rho", "thickness"});
    SurfaceLayer layer;
    layer.resistivity = s.positive("rho", 0, true);
    layer.thickness = s.positive("thickness", 0, true);
    if (!s.failed() && JsonFields::withinReach(layer.thickness, s.path("thickness"), error))
        c.surface = layer;
}

void readCriteria(JsonFields &f, StudyCase &c, const SystemDocument &d, DocumentError &error) {
    if (criteriaGiven(f, "criteria", d, error)) {
        const QJsonValue name = f.value("criteria", true);
        if (!name.isString())
            JsonFields::fail(error, DocumentError::Kind::NotText, f.path("criteria"));
        else if (name.toString() == QLatin1String(PartSchema::criteriaName(Criteria::Ieee80)))
            c.criteria = Criteria::Ieee80;
        else if (name.toString() == QLatin1String(PartSchema::criteriaName(Criteria::En50522)))
            c.criteria = Criteria::En50522;
        else
            JsonFields::fail(error, DocumentError::Kind::UnknownCriteria, f.path("criteria"));
    }
    if (criteriaGiven(f, "footwear", d, error)) {
        const double footwear = f.number("footwear", 0, true);
        if (!f.failed() && !(footwear >= 0))
            JsonFields::fail(error, DocumentError::Kind::Negative, f.path("footwear"));
        else if (!f.failed())
            c.footwear = footwear;
    }
}

StudyCase readCase(const QJsonValue &value, const QString &path, const SystemDocument &d,
                   DocumentError &error) {
    JsonFields f(value, path, error);
    f.allowOnly({"name", "soil", "soil_scale", "current", "decrement", "duration", "body",
                 "surface", "criteria", "footwear"});
    StudyCase c;
    const QJsonValue name = f.value("name", true);
    if (!f.failed() && !name.isString())
        JsonFields::fail(error, DocumentError::Kind::NotText, f.path("name"));
    c.name = name.toString();
    if (!f.failed() && c.name.trimmed().isEmpty())
        JsonFields::fail(error, DocumentError::Kind::EmptyName, f.path("name"));
    if (f.has("soil") && !f.isNull("soil") && !f.failed())
        c.soil = SystemDocument::readSoilAt(f.value("soil", true), f.path("soil"), error);
    if (f.has("soil_scale") && !f.isNull("soil_scale") && !f.failed())
        c.soilScale = readScale(f, c.soil.value_or(d.soil).layerCount(), error);
    if (f.has("current") && !f.isNull("current") && !f.failed()) {
        if (d.network)
            JsonFields::fail(error, DocumentError::Kind::BesideNetwork, f.path("current"));
        else
            c.current = f.positive("current", 0, true);
    }
    c.decrement = readDecrement(f, c, d, error);
    if (criteriaGiven(f, "duration", d, error))
        c.duration = f.positive("duration", 0, true);
    if (criteriaGiven(f, "body", d, error)) {
        const int body = f.integer("body", 0, true);
        if (!f.failed() && body != 50 && body != 70)
            JsonFields::fail(error, DocumentError::Kind::NotBodyWeight, f.path("body"));
        c.body = body == 70 ? BodyWeight::Kg70 : BodyWeight::Kg50;
    }
    readSurface(f, c, d, error);
    readCriteria(f, c, d, error);
    return c;
}

QJsonObject soilJson(const EarthingSoil &soil) {
    QJsonArray layers;
    for (int k = 0; k < soil.layerCount(); ++k) {
        QJsonObject layer{{QStringLiteral("rho"), soil.resistivity(k)}};
        if (k + 1 < soil.layerCount())
            layer[QStringLiteral("thickness")] = soil.layerThickness(k);
        layers.append(layer);
    }
    return {{QStringLiteral("layers"), layers}};
}

} // namespace

std::vector<StudyCase> StudyCases::read(const QJsonValue &value, const QString &path,
                                        const SystemDocument &document, DocumentError &error) {
    if (!value.isArray()) {
        JsonFields::fail(error, DocumentError::Kind::NotAnArray, path);
        return {};
    }
    const QJsonArray array = value.toArray();
    if (array.isEmpty() || array.size() > kMaxCases) {
        JsonFields::fail(error, DocumentError::Kind::CaseCount, path, kMaxCases);
        return {};
    }
    std::vector<StudyCase> cases;
    for (int k = 0; k < array.size() && error.kind == DocumentError::Kind::None; ++k) {
        const QString at = JsonFields::indexed(path, k);
        StudyCase c = readCase(array[k], at, document, error);
        for (const StudyCase &before : cases)
            if (error.kind == DocumentError::Kind::None && before.name == c.name)
                JsonFields::fail(error, DocumentError::Kind::NameTaken,
                                 at + QStringLiteral(".name"));
        cases.push_back(std::move(c));
    }
    if (error.kind != DocumentError::Kind::None)
        return {};
    return cases;
}

QJsonArray StudyCases::write(const std::vector<StudyCase> &cases) {
    QJsonArray array;
    for (const StudyCase &c : cases) {
        QJsonObject o{{QStringLiteral("name"), c.name}};
        if (c.soil)
            o[QStringLiteral("soil")] = soilJson(*c.soil);
        if (!c.soilScale.empty()) {
            QJsonArray factors;
            for (double factor : c.soilScale)
                factors.append(factor);
            o[QStringLiteral("soil_scale")] = factors;
        }
        if (c.current)
            o[QStringLiteral("current")] = *c.current;
        if (c.duration)
            o[QStringLiteral("duration")] = *c.duration;
        if (c.body)
            o[QStringLiteral("body")] = *c.body == BodyWeight::Kg70 ? 70 : 50;
        if (c.decrement)
            o[QStringLiteral("decrement")] = *c.decrement;
        if (c.surfaceGiven)
            o[QStringLiteral("surface")] =
                c.surface
                    ? QJsonValue(QJsonObject{{QStringLiteral("rho"), c.surface->resistivity},
                                             {QStringLiteral("thickness"), c.surface->thickness}})
                    : QJsonValue(QJsonValue::Null);
        if (c.criteria)
            o[QStringLiteral("criteria")] = QLatin1String(PartSchema::criteriaName(*c.criteria));
        if (c.footwear)
            o[QStringLiteral("footwear")] = *c.footwear;
        array.append(o);
    }
    return array;
}

EarthingSoil StudyCases::scaled(const EarthingSoil &soil, const std::vector<double> &factors) {
    std::vector<double> rho, thickness;
    for (int k = 0; k < soil.layerCount(); ++k) {
        const std::size_t i = std::size_t(k);
        rho.push_back(soil.resistivity(k) * (i < factors.size() ? factors[i] : 1.0));
        if (k + 1 < soil.layerCount())
            thickness.push_back(soil.layerThickness(k));
    }
    return EarthingSoil::layers(rho, thickness);
}

SystemDocument StudyCases::applied(const SystemDocument &document, const StudyCase &c) {
    SystemDocument d = document;
    d.cases.clear();
    if (c.soil) {
        d.soil = *c.soil;
        d.soilOrigin.reset();
        d.soilLayersBeside = false;
    }
    if (!c.soilScale.empty()) {
        d.soil = scaled(d.soil, c.soilScale);
        d.soilOrigin.reset();
    }
    if (c.current) {
        d.current = *c.current;
        d.currentBasis.reset();
    }
    // The network's current into the earth, or the basis's, with the case's Df.
    if (c.decrement && d.network) {
        d.network->decrement = *c.decrement;
    } else if (c.decrement && d.currentBasis) {
        d.currentBasis->decrement = *c.decrement;
        d.current = d.currentBasis->gridCurrent();
    }
    if (d.safety && c.duration)
        d.safety->faultDuration = *c.duration;
    if (d.safety && c.body)
        d.safety->body = *c.body;
    if (d.safety && c.surfaceGiven)
        d.safety->surface = c.surface;
    if (d.safety && c.criteria)
        d.safety->criteria = *c.criteria;
    if (d.safety && c.footwear)
        d.safety->footwear = *c.footwear;
    return d;
}

} // namespace tav
