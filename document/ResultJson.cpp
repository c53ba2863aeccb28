#include "document/ResultJson.h"

#include <charconv>
#include <cmath>

namespace tav {

using namespace earthing;

namespace {

QByteArray number(double value) {
    if (!std::isfinite(value))
        return "null";
    if (value == 0)
        return "0";
    char text[32];
    const auto [end, error] = std::to_chars(text, text + sizeof text, value);
    return error == std::errc() ? QByteArray(text, int(end - text)) : QByteArray("null");
}

QByteArray pair(const char *key, const QByteArray &value) {
    return QByteArray("\"") + key + "\": " + value;
}

QByteArray xy(const Point2 &p) {
    return "[" + number(p.x) + ", " + number(p.y) + "]";
}

template <class T, class F> QByteArray list(const std::vector<T> &items, F f) {
    QByteArray out = "[";
    for (std::size_t k = 0; k < items.size(); ++k)
        out += (k ? ",\n  " : "\n  ") + f(items[k]);
    return out + (items.empty() ? "]" : "\n ]");
}

QByteArray verdict(Verdict v) {
    return v == Verdict::Safe ? "true" : v == Verdict::NotSafe ? "false" : "null";
}

} // namespace

QByteArray ResultJson::write(const EarthingResult &result, const SystemSafety &s) {
    QByteArray out = write(result);
    out.chop(2); // "}\n"
    out += ",\n ";
    QByteArray cautions = "[";
    for (std::size_t k = 0; k < s.onLayer.cautions.size(); ++k)
        cautions +=
            QByteArray(k ? ", " : "") + "\"" + warningName(s.onLayer.cautions[k].warning) + "\"";
    out += pair("safety", "{" + pair("touch_tolerable", number(s.onLayer.touch)) + ", " +
                              pair("step_tolerable", number(s.onLayer.step)) + ", " +
                              pair("cs", number(s.onLayer.Cs)) + ", " +
                              pair("touch_safe", verdict(s.touch ? s.touch->verdict : Verdict::Safe)) + ", " +
                              pair("step_safe", verdict(s.step.verdict)) + ", " +
                              pair("cautions", cautions + "]") + "}");
    return out + "}\n";
}

const char *ResultJson::warningName(Warning warning) {
    switch (warning) {
    case Warning::SeriesTruncated:
        return "series_truncated";
    case Warning::SolutionNotConverged:
        return "solution_not_converged";
    case Warning::DurationOutsideRange:
        return "duration_outside_range";
    default: // the other calculations' warnings, never the solver's
        break;
    }
    return "unknown";
}

QByteArray ResultJson::write(const EarthingResult &r) {
    QByteArray out = "{";
    out += pair("resistance", number(r.resistance)) + ",\n ";
    out += pair("gpr", number(r.gpr)) + ",\n ";
    out += pair("segments", QByteArray::number(r.segments)) + ",\n ";
    out += pair("image_terms", QByteArray::number(r.imageTerms)) + ",\n ";
    out += pair("groups", list(r.groups,
                               [](const GroupResult &g) {
                                   return "{" + pair("group", QByteArray::number(g.group)) + ", " +
                                          pair("potential", number(g.potential)) + ", " +
                                          pair("current", number(g.current)) + "}";
                               })) +
           ",\n ";
    out += pair("points",
                list(r.points,
                     [](const PointResult &p) {
                         return "{" + pair("x", number(p.at.x)) + ", " + pair("y", number(p.at.y)) +
                                ", " + pair("potential", number(p.potential)) + ", " +
                                pair("touch", number(p.touch)) + ", " +
                                pair("in_touch_area", p.inTouchArea ? "true" : "false") + "}";
                     })) +
           ",\n ";
    out += pair("touch_max", !r.touchMax ? QByteArray("null")
                                         : "{" + pair("voltage", number(r.touchMax->voltage)) +
                                               ", " + pair("x", number(r.touchMax->at.x)) + ", " +
                                               pair("y", number(r.touchMax->at.y)) + "}") +
           ",\n ";
    const Point2 middle = r.stepMax.middle();
    out += pair("step_max", "{" + pair("voltage", number(r.stepMax.voltage)) + ", " +
                                pair("x", number(middle.x)) + ", " + pair("y", number(middle.y)) +
                                ", " + pair("from", xy(r.stepMax.from)) + ", " +
                                pair("to", xy(r.stepMax.to)) + "}") +
           ",\n ";
    out += pair("cautions", list(r.cautions, [](const Caution &c) {
                    QByteArray values = "[";
                    for (std::size_t k = 0; k < c.values.size(); ++k)
                        values += (k ? ", " : "") + number(c.values[k]);
                    return "{" + pair("warning", QByteArray("\"") + warningName(c.warning) + "\"") +
                           ", " + pair("values", values + "]") + "}";
                }));
    return out + "}\n";
}

} // namespace tav
