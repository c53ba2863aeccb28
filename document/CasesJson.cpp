#include "document/CasesJson.h"

#include "document/ResultJson.h"

namespace tav {

using earthing::EnvelopeEntry;
using earthing::JudgedVoltage;

namespace {

QByteArray verdict(Verdict v) {
    return v == Verdict::Safe ? "true" : v == Verdict::NotSafe ? "false" : "null";
}

QByteArray name(const QString &text) {
    return ResultJson::jsonText(text.toStdString());
}

QByteArray judged(const JudgedVoltage &j) {
    return ResultJson::jsonPair("voltage", ResultJson::jsonNumber(j.voltage)) + ", " +
           ResultJson::jsonPair("x", ResultJson::jsonNumber(j.at.x)) + ", " +
           ResultJson::jsonPair("y", ResultJson::jsonNumber(j.at.y)) + ", " +
           ResultJson::jsonPair("tolerable", j.verdict == Verdict::NoLimit
                                                 ? QByteArray("null")
                                                 : ResultJson::jsonNumber(j.tolerable)) +
           ", " + ResultJson::jsonPair("safe", verdict(j.verdict));
}

QByteArray entry(const EnvelopeEntry &e, const StudyEvaluation &study) {
    return "{" + ResultJson::jsonPair("case", name(study.cases[std::size_t(e.caseIndex)].name)) +
           ", " + judged(e.judged) + "}";
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
    QByteArray out =
        "{" + ResultJson::jsonPair("name", name(c.name)) + ", " +
        ResultJson::jsonPair("solve", QByteArray::number(c.solve)) + ", " +
        ResultJson::jsonPair("current",
                             ResultJson::jsonNumber(r.groups.empty() ? 0 : r.groups[0].current)) +
        ", " + ResultJson::jsonPair("resistance", ResultJson::jsonNumber(r.resistance)) + ", " +
        ResultJson::jsonPair("gpr", ResultJson::jsonNumber(r.gpr));
    if (s) {
        out += ", " + ResultJson::jsonPair("touch", s->touch ? "{" + judged(*s->touch) + "}"
                                                             : QByteArray("null"));
        out += ", " + ResultJson::jsonPair("step", "{" + judged(s->step) + "}");
        out += ", " + ResultJson::jsonPair("safe", verdict(s->overall));
    }
    return out + "}";
}

QByteArray envelopeJson(const StudyEvaluation &study) {
    const earthing::CaseEnvelope &e = *study.envelope;
    const auto entries = [&study](const std::vector<EnvelopeEntry> &items) {
        return list(items, [&study](const EnvelopeEntry &x) { return entry(x, study); });
    };
    return "{" + ResultJson::jsonPair("touch_areas", entries(e.areas)) + ",\n  " +
           ResultJson::jsonPair("touch_points", entries(e.points)) + ",\n  " +
           ResultJson::jsonPair("steps", entries(e.steps)) + ",\n  " +
           ResultJson::jsonPair("touch", e.touch ? entry(*e.touch, study) : QByteArray("null")) +
           ",\n  " +
           ResultJson::jsonPair("step", e.step ? entry(*e.step, study) : QByteArray("null")) +
           ",\n  " + ResultJson::jsonPair("safe", verdict(e.overall)) + "}";
}

} // namespace

QByteArray CasesJson::members(const StudyEvaluation &study) {
    QByteArray out = ResultJson::jsonPair("solves", QByteArray::number(study.solves)) + ",\n " +
                     ResultJson::jsonPair("governing_case", name(study.governing().name)) + ",\n " +
                     ResultJson::jsonPair("cases", list(study.cases, [](const CaseEvaluation &c) {
                                              return "\n  " + caseJson(c);
                                          }));
    if (study.envelope)
        out += ",\n " + ResultJson::jsonPair("envelope", envelopeJson(study));
    return out;
}

QByteArray CasesJson::appended(const QByteArray &result, const StudyEvaluation &study) {
    const qsizetype end = result.lastIndexOf('}');
    if (end < 0)
        return result;
    return result.left(end) + ",\n " + members(study) + "}\n";
}

} // namespace tav
