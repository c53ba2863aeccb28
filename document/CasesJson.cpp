#include "document/CasesJson.h"

#include "document/ResultJson.h"

namespace tav {

using earthing::EnvelopeEntry;
using earthing::JudgedVoltage;

namespace {

QByteArray pair(const char *key, const QByteArray &value) {
    return QByteArray("\"") + key + "\": " + value;
}

QByteArray number(double value) {
    return ResultJson::jsonNumber(value);
}

QByteArray verdict(Verdict v) {
    return v == Verdict::Safe ? "true" : v == Verdict::NotSafe ? "false" : "null";
}

QByteArray name(const QString &text) {
    return ResultJson::jsonText(text.toStdString());
}

QByteArray judged(const JudgedVoltage &j) {
    return pair("voltage", number(j.voltage)) + ", " + pair("x", number(j.at.x)) + ", " +
           pair("y", number(j.at.y)) + ", " +
           pair("tolerable",
                j.verdict == Verdict::NoLimit ? QByteArray("null") : number(j.tolerable)) +
           ", " + pair("safe", verdict(j.verdict));
}

QByteArray entry(const EnvelopeEntry &e, const StudyEvaluation &study) {
    return "{" + pair("case", name(study.cases[std::size_t(e.caseIndex)].name)) + ", " +
           judged(e.judged) + "}";
}

template <class T, class F> QByteArray list(const std::vector<T> &items, F f) {
    QByteArray out = "[";
    for (std::size_t k = 0; k < items.size(); ++k)
        out += (k ? ", " : "") + f(items[k]);
    return out + "]";
}

QByteArray caseJson(const CaseEvaluation &c) {
    const earthing::EarthingResult &r = *c.evaluation.result;
    const std::optional<earthing::SystemSafety> &s = c.evaluation.safety;
    QByteArray out = "{" + pair("name", name(c.name)) + ", " +
                     pair("solve", QByteArray::number(c.solve)) + ", " +
                     pair("current", number(r.groups.empty() ? 0 : r.groups[0].current)) + ", " +
                     pair("resistance", number(r.resistance)) + ", " + pair("gpr", number(r.gpr));
    if (s) {
        out += ", " + pair("touch", s->touch ? "{" + judged(*s->touch) + "}" : QByteArray("null"));
        out += ", " + pair("step", "{" + judged(s->step) + "}");
        out += ", " + pair("safe", verdict(s->overall));
    }
    return out + "}";
}

QByteArray envelopeJson(const StudyEvaluation &study) {
    const earthing::CaseEnvelope &e = *study.envelope;
    const auto entries = [&study](const std::vector<EnvelopeEntry> &items) {
        return list(items, [&study](const EnvelopeEntry &x) { return entry(x, study); });
    };
    return "{" + pair("touch_areas", entries(e.areas)) + ",\n  " +
           pair("touch_points", entries(e.points)) + ",\n  " + pair("steps", entries(e.steps)) +
           ",\n  " + pair("touch", e.touch ? entry(*e.touch, study) : QByteArray("null")) +
           ",\n  " + pair("step", e.step ? entry(*e.step, study) : QByteArray("null")) + ",\n  " +
           pair("safe", verdict(e.overall)) + "}";
}

} // namespace

QByteArray CasesJson::members(const StudyEvaluation &study) {
    QByteArray out =
        pair("solves", QByteArray::number(study.solves)) + ",\n " +
        pair("governing_case", name(study.governing().name)) + ",\n " +
        pair("cases",
             list(study.cases, [](const CaseEvaluation &c) { return "\n  " + caseJson(c); }));
    if (study.envelope)
        out += ",\n " + pair("envelope", envelopeJson(study));
    return out;
}

QByteArray CasesJson::appended(const QByteArray &result, const StudyEvaluation &study) {
    const qsizetype end = result.lastIndexOf('}');
    if (end < 0)
        return result;
    return result.left(end) + ",\n " + members(study) + "}\n";
}

} // namespace tav
