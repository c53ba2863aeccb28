#pragma once

#include "document/DocumentError.h"
#include "document/StudyCase.h"

#include <QJsonArray>
#include <QJsonValue>

#include <vector>

namespace tav {

class SystemDocument;

// The "cases" of a system document: read strictly (each fault at its path), written back,
// and each case as a document of its own, which the evaluation solves.
class StudyCases {
public:
    // Enough for the seasons and the faults a utility asks for; each new soil is a solve.
    static constexpr int kMaxCases = 32;

    // document: the study as read so far, its soil, network and criteria among it.
    static std::vector<StudyCase> read(const QJsonValue &value, const QString &path,
                                       const SystemDocument &document, DocumentError &error);
    static QJsonArray write(const std::vector<StudyCase> &cases);

    // The study as one case sees it: the case's soil, current and criteria in place of the
    // study's, and no cases.
    static SystemDocument applied(const SystemDocument &document, const StudyCase &c);
    // The soil with each layer's resistivity times its factor.
    static earthing::EarthingSoil scaled(const earthing::EarthingSoil &soil,
                                         const std::vector<double> &factors);
};

} // namespace tav
