#pragma once

#include "document/StudySweep.h"
#include "report/Report.h"
#include "report/StudyTexts.h"
#include "report/SweepPlot.h"

// A sweep of one parameter of a study in its report: the title block, the table of the
// values (R, GPR, the worst touch and step against their tolerable values, the margins,
// the verdict; a refused value and why), and two plots against the value: the voltages
// with their tolerable values, and the resistance.
namespace SweepReport {

// The parameter's name (as the window offers it) and its path.
QString parameterName(const QString &path, const StudyTexts &texts);
ReportBlock table(const tav::StudySweepResult &result, const StudyTexts &texts);
SweepPlot voltagePlot(const tav::StudySweepResult &result, const StudyTexts &texts);
SweepPlot resistancePlot(const tav::StudySweepResult &result, const StudyTexts &texts);
Report report(const tav::StudySweepResult &result, const StudyHeader &header,
              const StudyTexts &texts);

} // namespace SweepReport
