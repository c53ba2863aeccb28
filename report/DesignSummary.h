#pragma once

#include "document/DesignStudy.h"
#include "report/StudyTexts.h"

#include <QString>
#include <QStringList>

// A design's outcome in words, as tav-calc design writes it and the study window's design
// shows it: the verdict and cost, the best layout, its worst shares, what limits a layout
// that fails and what would help, and how much of the family was solved.
class DesignSummary {
public:
    // "Layout: 7 conductors across x (closer toward the edges), ...".
    static QString layout(const tav::design::Candidate &candidate, const tav::DesignResult &r,
                          const StudyTexts &texts);
    // Empty when the best layout passes.
    static QStringList limits(const tav::DesignResult &r, const StudyTexts &texts);
    static QStringList lines(const tav::DesignResult &r, const StudyTexts &texts);
    // A share of the tolerable value in per cent, "-" where the criteria set no limit.
    static QString percent(const std::optional<double> &share);
};
