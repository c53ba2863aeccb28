#include "document/StudySweep.h"

#include "document/CaseStudy.h"
#include "document/StudyCases.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cmath>

namespace tav {

namespace {

const QString kGrids = QStringLiteral("grids");
const QString kRods = QStringLiteral("rods");
const QString kSafety = QStringLiteral("safety");
const QString kSurface = QStringLiteral("surface");

// Each object of the array under key, edited in place; how many there were.
template <class Edit> int eachOf(QJsonObject &o, const QString &key, Edit edit) {
    QJsonArray array = o.value(key).toArray();
    int edited = 0;
    for (qsizetype k = 0; k < array.size(); ++k) {
        QJsonObject part = array[k].toObject();
        if (edit(part))
            ++edited;
        array[k] = part;
    }
    if (!array.isEmpty())
        o[key] = array;
    return edited;
}

// A count written as a whole number, so that the reader takes it as one.
QJsonValue count(double value) {
    return std::abs(value) < 1e9 ? QJsonValue(qint64(value)) : QJsonValue(value);
}

int setGridConductors(QJsonObject &o, double value, bool x, bool y) {
    return eachOf(o, kGrids, [&](QJsonObject &grid) {
        QJsonArray conductors = grid.value(QStringLiteral("conductors")).toArray();
        if (conductors.size() != 2)
            return false;
        if (x)
            conductors[0] = count(value);
        if (y)
            conductors[1] = count(value);
        grid[QStringLiteral("conductors")] = conductors;
        return true;
    });
}

int setGridDepth(QJsonObject &o, double value) {
    return eachOf(o, kGrids, [&](QJsonObject &grid) {
        grid[QStringLiteral("depth")] = value;
        return true;
    });
}

// A grid's rods counted along its edge (not those at its corners alone).
int setRodCount(QJsonObject &o, double value) {
    return eachOf(o, kGrids, [&](QJsonObject &grid) {
        QJsonObject rods = grid.value(kRods).toObject();
        if (!rods.contains(QStringLiteral("count")))
            return false;
        rods[QStringLiteral("count")] = count(value);
        grid[kRods] = rods;
        return true;
    });
}

int setRodLength(QJsonObject &o, double value) {
    const QString length = QStringLiteral("length");
    int edited = eachOf(o, kGrids, [&](QJsonObject &grid) {
        QJsonObject rods = grid.value(kRods).toObject();
        if (rods.isEmpty())
            return false;
        rods[length] = value;
        grid[kRods] = rods;
        return true;
    });
    edited += eachOf(o, kRods, [&](QJsonObject &rods) {
        rods[length] = value;
        return true;
    });
    return edited;
}

int setSurface(QJsonObject &o, const QString &key, double value) {
    QJsonObject safety = o.value(kSafety).toObject();
    QJsonObject surface = safety.value(kSurface).toObject();
    if (surface.isEmpty())
        return 0;
    surface[key] = value;
    safety[kSurface] = surface;
    o[kSafety] = safety;
    return 1;
}

// The parameter set in the document's JSON; how many places it was set at (0: the
// document has nothing it varies).
int edit(QJsonObject &o, const QString &path, double value) {
    if (path == QLatin1String("grid.conductors_x"))
        return setGridConductors(o, value, true, false);
    if (path == QLatin1String("grid.conductors_y"))
        return setGridConductors(o, value, false, true);
    if (path == QLatin1String("grid.conductors"))
        return setGridConductors(o, value, true, true);
    if (path == QLatin1String("grid.depth"))
        return setGridDepth(o, value);
    if (path == QLatin1String("rods.count"))
        return setRodCount(o, value);
    if (path == QLatin1String("rods.length"))
        return setRodLength(o, value);
    if (path == QLatin1String("safety.surface.rho"))
        return setSurface(o, QStringLiteral("rho"), value);
    if (path == QLatin1String("safety.surface.thickness"))
        return setSurface(o, QStringLiteral("thickness"), value);
    if (path == QLatin1String("current")) {
        if (o.contains(QStringLiteral("network")))
            return 0;
        o[QStringLiteral("current")] = value;
        return 1;
    }
    return 0;
}

// Every layer's resistivity times factor: the study's soil and each case's own.
SystemDocument soilScaled(SystemDocument d, double factor) {
    const auto scaled = [factor](const earthing::EarthingSoil &soil) {
        return StudyCases::scaled(soil,
                                  std::vector<double>(std::size_t(soil.layerCount()), factor));
    };
    d.soil = scaled(d.soil);
    d.soilOrigin.reset(); // the sounding it was fitted to no longer gives it
    for (StudyCase &c : d.cases)
        if (c.soil)
            c.soil = scaled(*c.soil);
    return d;
}

bool isSoilScale(const SweepParameter &parameter) {
    return QLatin1String(parameter.path) == QLatin1String("soil.scale");
}

DocumentError refusedAt(const QString &path, const Refusal &refusal) {
    DocumentError error;
    error.kind = DocumentError::Kind::Refused;
    error.path = path;
    error.refusal = refusal;
    return error;
}

// The point of one value: the study evaluated as tav-calc system evaluates it; a document
// or evaluation refused is a refused point, its reason kept.
Refusable<sweep::SweepPoint> evaluated(const SystemDocument &document,
                                       const SweepParameter &parameter, double value,
                                       const earthing::ProgressCallback &monitor,
                                       DocumentError &reason) {
    sweep::SweepPoint point;
    point.refused = true;
    const SystemDocument d = StudySweep::at(document, parameter, value, reason);
    if (reason.kind != DocumentError::Kind::None)
        return point;
    const SystemDocument::Expansion expansion = d.expanded();
    if (expansion.input.refused()) {
        reason = refusedAt(expansion.refusedPart, expansion.input.refusal());
        return point;
    }
    const Refusable<StudyEvaluation> study = CaseStudy::evaluate(d, monitor);
    const std::optional<Refusal> refusal =
        study.refused() ? std::optional<Refusal>(study.refusal()) : std::nullopt;
    if (refusal && refusal->error == Error::Cancelled)
        return *refusal;
    if (refusal) {
        reason = refusedAt(QString(), *refusal);
        return point;
    }
    for (const CaseEvaluation &c : study.result().cases)
        if (c.evaluation.safetyRefusal) {
            reason = refusedAt(kSafety, *c.evaluation.safetyRefusal);
            return point;
        }
    const earthing::EarthingResult &r = *study.result().governing().evaluation.result;
    point.refused = false;
    point.resistance = r.resistance;
    point.gpr = r.gpr;
    point.step = r.stepMax.voltage;
    if (r.touchMax)
        point.touch = r.touchMax->voltage;
    if (const std::optional<earthing::CaseEnvelope> &envelope = study.result().envelope) {
        point.verdict = envelope->overall;
        point.touch.reset();
        if (envelope->touch) {
            point.touch = envelope->touch->judged.voltage;
            point.touchTolerable = envelope->touch->judged.tolerable;
        }
        if (envelope->step) {
            point.step = envelope->step->judged.voltage;
            point.stepTolerable = envelope->step->judged.tolerable;
        }
    }
    return point;
}

} // namespace

const std::vector<SweepParameter> &StudySweep::parameters() {
    static const std::vector<SweepParameter> table{
        {"grid.conductors_x", true},   {"grid.conductors_y", true},
        {"grid.conductors", true},     {"grid.depth", false},
        {"rods.count", true},          {"rods.length", false},
        {"safety.surface.rho", false}, {"safety.surface.thickness", false},
        {"soil.scale", false},         {"current", false}};
    return table;
}

const SweepParameter *StudySweep::parameter(const QString &path) {
    for (const SweepParameter &p : parameters())
        if (path == QLatin1String(p.path))
            return &p;
    return nullptr;
}

bool StudySweep::varies(const SystemDocument &document, const SweepParameter &parameter) {
    if (isSoilScale(parameter))
        return true;
    QJsonObject o = QJsonDocument::fromJson(document.toJson()).object();
    return edit(o, QLatin1String(parameter.path), 1) > 0;
}

SystemDocument StudySweep::at(const SystemDocument &document, const SweepParameter &parameter,
                              double value, DocumentError &error) {
    const SystemDocument scaled = isSoilScale(parameter) ? soilScaled(document, value) : document;
    QJsonObject o = QJsonDocument::fromJson(scaled.toJson()).object();
    if (!isSoilScale(parameter))
        edit(o, QLatin1String(parameter.path), value);
    return SystemDocument::fromJson(QJsonDocument(o).toJson(QJsonDocument::Compact), error);
}

Refusable<StudySweepResult> StudySweep::run(const SystemDocument &document,
                                            const SweepParameter &parameter,
                                            const sweep::SweepRange &range,
                                            const sweep::SweepCallback &progress) {
    const Refusable<std::vector<double>> values = sweep::sweepValues(range, parameter.whole);
    if (values.refused())
        return values.refusal();
    StudySweepResult result;
    result.path = QLatin1String(parameter.path);
    const sweep::PointEvaluation evaluate = [&](double value,
                                                const earthing::ProgressCallback &monitor) {
        DocumentError reason;
        const Refusable<sweep::SweepPoint> point =
            evaluated(document, parameter, value, monitor, reason);
        if (!point.refused())
            result.reasons.push_back(reason);
        return point;
    };
    const Refusable<std::vector<sweep::SweepPoint>> points =
        sweep::runSweep(values.result(), evaluate, progress);
    if (points.refused())
        return points.refusal();
    result.points = points.result();
    return result;
}

} // namespace tav
