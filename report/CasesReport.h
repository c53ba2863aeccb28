#pragma once

#include "document/CaseStudy.h"
#include "report/Report.h"
#include "report/StudyTexts.h"

#include <QVector>

// A study's cases in its report, after the governing case's summary: a table of the cases
// (current, R, GPR, worst touch and step against their tolerable values, verdict), the
// verdict over every case with the governing one named, and each case's places.
namespace CasesReport {

ReportBlock summary(const tav::StudyEvaluation &study, const StudyTexts &texts);
QVector<ReportBlock> places(const tav::StudyEvaluation &study, const StudyTexts &texts);

} // namespace CasesReport
