#include "core/earthing/CaseEnvelope.h"

namespace tav::earthing {

namespace {

EnvelopeEntry entry(const JudgedVoltage &judged, int caseIndex) {
    EnvelopeEntry e{judged, caseIndex, std::nullopt};
    if (judged.verdict != Verdict::NoLimit)
        e.share = judged.voltage / judged.tolerable;
    return e;
}

// Whether a is worse than b: nearer or further past its limit; without limits, the greater
// voltage. A tie keeps the earlier case.
bool worse(const EnvelopeEntry &a, const EnvelopeEntry &b) {
    if (a.share && b.share)
        return *a.share > *b.share;
    if (a.share != b.share)
        return a.share.has_value();
    return a.judged.voltage > b.judged.voltage;
}

void keepWorst(std::optional<EnvelopeEntry> &kept, const EnvelopeEntry &candidate) {
    if (!kept || worse(candidate, *kept))
        kept = candidate;
}

// Place by place over one list of every case: the areas, the points.
void placeByPlace(std::vector<EnvelopeEntry> &worst, const std::vector<JudgedVoltage> &places,
                  int caseIndex) {
    for (std::size_t k = 0; k < places.size(); ++k) {
        const EnvelopeEntry e = entry(places[k], caseIndex);
        if (k >= worst.size())
            worst.push_back(e);
        else if (worse(e, worst[k]))
            worst[k] = e;
    }
}

Verdict combined(Verdict a, Verdict b) {
    if (a == Verdict::NotSafe || b == Verdict::NotSafe)
        return Verdict::NotSafe;
    if (a == Verdict::OutsideMethodRange || b == Verdict::OutsideMethodRange)
        return Verdict::OutsideMethodRange;
    return Verdict::Safe;
}

} // namespace

CaseEnvelope envelopeOf(const std::vector<SystemSafety> &cases) {
    CaseEnvelope envelope;
    envelope.overall = Verdict::Safe;
    std::optional<EnvelopeEntry> onLayer, offLayer, governing;
    for (std::size_t c = 0; c < cases.size(); ++c) {
        const SystemSafety &s = cases[c];
        const int index = int(c);
        placeByPlace(envelope.areas, s.areas, index);
        placeByPlace(envelope.points, s.points, index);
        for (const JudgedVoltage &step : s.steps)
            keepWorst(step.onLayer ? onLayer : offLayer, entry(step, index));
        envelope.overall = combined(envelope.overall, s.overall);
    }
    for (const std::vector<EnvelopeEntry> *places : {&envelope.areas, &envelope.points})
        for (const EnvelopeEntry &e : *places)
            keepWorst(envelope.touch, e);
    for (const std::optional<EnvelopeEntry> *side : {&onLayer, &offLayer})
        if (*side) {
            envelope.steps.push_back(**side);
            if ((*side)->share)
                keepWorst(envelope.step, **side);
        }
    if (envelope.touch)
        keepWorst(governing, *envelope.touch);
    if (envelope.step)
        keepWorst(governing, *envelope.step);
    envelope.governing = governing ? governing->caseIndex : 0;
    return envelope;
}

} // namespace tav::earthing
