#pragma once

#include "document/CaseStudy.h"

#include <QByteArray>

namespace tav {

// A study's cases in tav-calc system's JSON, after the governing case's result: the
// solves, the governing case's name, a member per case (its current, R, GPR, worst touch
// and step judged, verdict) and the envelope, every place's worst judged with its case;
// numbers as ResultJson writes them.
class CasesJson {
public:
    // The members alone ("solves": ... "envelope": {...}), to be added to an object.
    static QByteArray members(const StudyEvaluation &study);
    // The result's JSON object with the members added at its end.
    static QByteArray appended(const QByteArray &result, const StudyEvaluation &study);
};

} // namespace tav
