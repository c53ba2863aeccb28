#include "document/ResultJson.h"

#include "document/PartSchema.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QString>

#include <charconv>
#include <cmath>

namespace tav {

using namespace earthing;

namespace {

// The shortest text that reads back as the same double; null for none.
void appendNumber(QByteArray &out, double value) {
    if (!std::isfinite(value)) {
        out += "null";
        return;
    }
    if (value == 0) {
        out += '0';
        return;
    }
    char text[32];
    const auto [end, error] = std::to_chars(text, text + sizeof text, value);
    if (error == std::errc())
        out.append(text, int(end - text));
    else
        out += "null";
}

QByteArray number(double value) {
    QByteArray out;
    appendNumber(out, value);
    return out;
}

QByteArray pair(const char *key, const QByteArray &value) {
    return QByteArray("\"") + key + "\": " + value;
}

QByteArray xy(const Point2 &p) {
    return "[" + number(p.x) + ", " + number(p.y) + "]";
}

QByteArray boolean(bool value) {
    return value ? "true" : "false";
}

// A name as the user gave it, escaped as JSON escapes it.
QByteArray text(const std::string &value) {
    const QByteArray array =
        QJsonDocument(QJsonArray{QString::fromStdString(value)}).toJson(QJsonDocument::Compact);
    return array.mid(1, array.size() - 2);
}

template <class T, class F> QByteArray list(const std::vector<T> &items, F f) {
    QByteArray out = "[";
    for (std::size_t k = 0; k < items.size(); ++k)
        out += (k ? ",\n  " : "\n  ") + f(items[k], k);
    return out + (items.empty() ? "]" : "\n ]");
}

// The given points, laid out as list() lays a list out, appended in place: a map's
// points are many.
QByteArray pointsJson(const std::vector<PointResult> &points) {
    QByteArray out = "[";
    out.reserve(qsizetype(points.size()) * 112 + 8);
    for (std::size_t k = 0; k < points.size(); ++k) {
        const PointResult &p = points[k];
        out += k ? ",\n  {\"x\": " : "\n  {\"x\": ";
        appendNumber(out, p.at.x);
        out += ", \"y\": ";
        appendNumber(out, p.at.y);
        out += ", \"potential\": ";
        appendNumber(out, p.potential);
        out += ", \"touch\": ";
        appendNumber(out, p.touch);
        out += p.inTouchArea ? ", \"in_touch_area\": true}" : ", \"in_touch_area\": false}";
    }
    out += points.empty() ? "]" : "\n ]";
    return out;
}

QByteArray verdict(Verdict v) {
    return v == Verdict::Safe ? "true" : v == Verdict::NotSafe ? "false" : "null";
}

QByteArray tolerable(const JudgedVoltage &j) {
    return j.verdict == Verdict::NoLimit ? QByteArray("null") : number(j.tolerable);
}

// ", tolerable, safe" of a place judged.
QByteArray judgement(const JudgedVoltage &j) {
    return ", " + pair("tolerable", tolerable(j)) + ", " + pair("safe", verdict(j.verdict));
}

QByteArray voltageAt(double voltage, const Point2 &at) {
    return pair("voltage", number(voltage)) + ", " + pair("x", number(at.x)) + ", " +
           pair("y", number(at.y));
}

QByteArray cautionNames(const std::vector<Caution> &cautions) {
    QByteArray out = "[";
    for (std::size_t k = 0; k < cautions.size(); ++k)
        out +=
            QByteArray(k ? ", " : "") + "\"" + ResultJson::warningName(cautions[k].warning) + "\"";
    return out + "]";
}

QByteArray criteriaJson(const SafetyCriteria &c, const std::vector<Point2> &zone) {
    QByteArray out = "{" +
                     pair("name", QByteArray("\"") + PartSchema::criteriaName(c.criteria) + "\"") +
                     ", " + pair("duration", number(c.faultDuration)) + ", ";
    if (c.criteria == Criteria::En50522)
        out += pair("footwear", number(c.footwear));
    else
        out += pair("body", c.body == BodyWeight::Kg70 ? "70" : "50");
    QByteArray surface = "null";
    if (c.surface) {
        QByteArray where = "\"everywhere\"";
        if (!zone.empty()) {
            where = "[";
            for (std::size_t k = 0; k < zone.size(); ++k)
                where += (k ? ", " : "") + xy(zone[k]);
            where += "]";
        }
        surface = "{" + pair("rho", number(c.surface->resistivity)) + ", " +
                  pair("thickness", number(c.surface->thickness)) + ", " + pair("zone", where) +
                  "}";
    }
    return out + ", " + pair("surface", surface) + "}";
}

// The keys scripts read before the places were judged apart: the limits on the layer.
QByteArray safetyJson(const SystemSafety &s) {
    const TolerableVoltages &t = s.onLayer;
    return "{" + pair("touch_tolerable", number(t.touch)) + ", " +
           pair("step_tolerable", t.stepLimited ? number(t.step) : QByteArray("null")) + ", " +
           pair("cs", number(t.Cs)) + ", " +
           pair("touch_safe", s.touch ? verdict(s.touch->verdict) : QByteArray("null")) + ", " +
           pair("step_safe", verdict(s.step.verdict)) + ", " +
           pair("cautions", cautionNames(t.cautions)) + "}";
}

} // namespace

QByteArray ResultJson::write(const EarthingResult &result, const SystemLeakage *leakage,
                             const QByteArray &network) {
    return write(result, nullptr, leakage, network);
}

QByteArray ResultJson::write(const EarthingResult &result, const SystemSafety &safety,
                             const SafetyCriteria &criteria, const SystemLeakage *leakage,
                             const QByteArray &network) {
    const Judged judged{safety, criteria};
    return write(result, &judged, leakage, network);
}

QByteArray ResultJson::jsonNumber(double value) {
    return number(value);
}

QByteArray ResultJson::jsonPair(const char *key, const QByteArray &value) {
    return pair(key, value);
}

QByteArray ResultJson::jsonText(const std::string &value) {
    return text(value);
}

const char *ResultJson::warningName(Warning warning) {
    switch (warning) {
    case Warning::SeriesTruncated:
        return "series_truncated";
    case Warning::SolutionNotConverged:
        return "solution_not_converged";
    case Warning::DurationOutsideRange:
        return "duration_outside_range";
    case Warning::DurationOutsideTable:
        return "duration_outside_table";
    default: // the other calculations' warnings, never the solver's
        break;
    }
    return "unknown";
}

const char *ResultJson::kindName(TouchAreaKind kind) {
    switch (kind) {
    case TouchAreaKind::Conductors:
        return "conductors";
    case TouchAreaKind::Grid:
        return "grid";
    case TouchAreaKind::Ring:
        return "ring";
    case TouchAreaKind::Fence:
        return "fence";
    case TouchAreaKind::Given:
        return "given";
    }
    return "given";
}

// "leakage": a part's path, current, share of the injected current, length and density;
// "conductors_leakage": the same of each conductor, in the input's order.
QByteArray ResultJson::leakageJson(const SystemLeakage &leakage) {
    QByteArray out = pair("leakage", list(leakage.parts, [](const PartLeakageRow &p, std::size_t) {
                              return "{" + pair("part", text(p.path().toStdString())) + ", " +
                                     pair("group", QByteArray::number(p.group)) + ", " +
                                     pair("current", number(p.current)) + ", " +
                                     pair("share", number(p.share)) + ", " +
                                     pair("length", number(p.length)) + ", " +
                                     pair("density", number(p.density())) + "}";
                          }));
    out += ",\n " + pair("conductors_leakage",
                         list(leakage.conductors, [](const ConductorLeakage &c, std::size_t k) {
                             return "{" + pair("conductor", QByteArray::number(qulonglong(k))) +
                                    ", " + pair("current", number(c.current)) + ", " +
                                    pair("length", number(c.length)) + ", " +
                                    pair("density", number(c.density())) + "}";
                         }));
    return out;
}

QByteArray ResultJson::write(const EarthingResult &r, const Judged *judged,
                             const SystemLeakage *leakage, const QByteArray &network) {
    const SystemSafety *s = judged ? &judged->safety : nullptr;
    QByteArray out = "{";
    out += pair("resistance", number(r.resistance)) + ",\n ";
    out += pair("gpr", number(r.gpr)) + ",\n ";
    if (!network.isEmpty())
        out += pair("network", network) + ",\n ";
    out += pair("segments", QByteArray::number(r.segments)) + ",\n ";
    out += pair("image_terms", QByteArray::number(r.imageTerms)) + ",\n ";
    // How the coupling matrix was held: dense, or compressed to a tolerance.
    const SolveStatistics &stats = r.statistics;
    out += pair("operator", stats.compressed ? "\"compressed\"" : "\"dense\"") + ", " +
           pair("operator_bytes", QByteArray::number(qulonglong(stats.operatorBytes)));
    if (stats.compressed)
        out += ", " + pair("compression_tolerance", number(stats.compressionTolerance));
    out += ",\n ";
    out += pair("groups", list(r.groups,
                               [](const GroupResult &g, std::size_t) {
                                   return "{" + pair("group", QByteArray::number(g.group)) + ", " +
                                          pair("potential", number(g.potential)) + ", " +
                                          pair("current", number(g.current)) + "}";
                               })) +
           ",\n ";
    if (leakage)
        out += leakageJson(*leakage) + ",\n ";
    out += pair("points", pointsJson(r.points)) + ",\n ";
    // The worst touch over group 0's areas, judged where it stands.
    QByteArray touchMax = "null";
    if (r.touchMax) {
        touchMax = "{" + voltageAt(r.touchMax->voltage, r.touchMax->at);
        if (s)
            touchMax += s->touch ? judgement(*s->touch)
                                 : ", " + pair("tolerable", "null") + ", " + pair("safe", "null");
        touchMax += "}";
    }
    out += pair("touch_max", touchMax) + ",\n ";
    const Point2 middle = r.stepMax.middle();
    out += pair("step_max", "{" + voltageAt(r.stepMax.voltage, middle) + ", " +
                                pair("from", xy(r.stepMax.from)) + ", " +
                                pair("to", xy(r.stepMax.to)) +
                                (s ? judgement(s->step) : QByteArray()) + "}") +
           ",\n ";
    // With criteria, the worst step on and off the layer, each judged: where the rock lies in
    // part, a smaller step off it may fail where the greatest on it passes.
    // Where a place stands on the surface layer: null in a study without one, which only
    // criteria lay.
    const bool layer = judged && judged->criteria.surface.has_value();
    const auto standing = [layer](bool onLayer) {
        return pair("on_surface_layer", layer ? boolean(onLayer) : QByteArray("null"));
    };
    if (s)
        out += pair("steps", list(s->steps,
                                  [&](const JudgedVoltage &j, std::size_t) {
                                      return "{" + voltageAt(j.voltage, j.at) + ", " +
                                             standing(j.onLayer) + judgement(j) + "}";
                                  })) +
               ",\n ";
    out += pair("touch_areas",
                list(r.touchAreas,
                     [&](const TouchArea &a, std::size_t k) {
                         // With criteria, the side nearest its limit; else the worse.
                         TouchMaximum worst;
                         bool onLayer = true;
                         if (k < r.areas.size()) {
                             worst = r.areas[k].worst();
                             onLayer = &r.areas[k].worst() == &r.areas[k].onLayer;
                         }
                         const JudgedVoltage *j = s && k < s->areas.size() ? &s->areas[k] : nullptr;
                         if (j) {
                             worst = {j->voltage, j->at};
                             onLayer = j->onLayer;
                         }
                         return "{" + pair("group", QByteArray::number(a.group)) + ", " +
                                pair("kind", QByteArray("\"") + kindName(a.kind) + "\"") + ", " +
                                pair("part", QByteArray::number(a.part)) + ", " +
                                pair("touch_max", "{" + voltageAt(worst.voltage, worst.at) + "}") +
                                ", " + standing(onLayer) + (j ? judgement(*j) : QByteArray()) + "}";
                     })) +
           ",\n ";
    out += pair("touch_points",
                list(r.touchPoints,
                     [&](const TouchPoint &p, std::size_t k) {
                         const TouchPointResult t =
                             k < r.touched.size() ? r.touched[k] : TouchPointResult{};
                         const JudgedVoltage *j =
                             s && k < s->points.size() ? &s->points[k] : nullptr;
                         return "{" + pair("name", text(p.name)) + ", " +
                                pair("x", number(p.at.x)) + ", " + pair("y", number(p.at.y)) +
                                ", " + pair("group", QByteArray::number(p.group)) + ", " +
                                pair("touch", number(t.touch)) + ", " +
                                pair("surface_potential", number(t.surface)) + ", " +
                                standing(j ? j->onLayer : t.onLayer) +
                                (j ? judgement(*j) : QByteArray()) + "}";
                     })) +
           ",\n ";
    out += pair("cautions", list(r.cautions, [](const Caution &c, std::size_t) {
                    QByteArray values = "[";
                    for (std::size_t k = 0; k < c.values.size(); ++k)
                        values += (k ? ", " : "") + number(c.values[k]);
                    return "{" + pair("warning", QByteArray("\"") + warningName(c.warning) + "\"") +
                           ", " + pair("values", values + "]") + "}";
                }));
    if (judged) {
        out += ",\n " + pair("criteria", criteriaJson(judged->criteria, r.surfaceZone));
        out += ",\n " + pair("safety", safetyJson(*s));
        out += ",\n " + pair("safe", verdict(s->overall));
    }
    return out + "}\n";
}

} // namespace tav
