#pragma once

#include "report/GridSafetyStudy.h"
#include "report/Report.h"
#include "report/StudyTexts.h"

// The texts of a grid safety study: what the grid safety window shows and what tav-calc
// safety --pdf writes.
namespace GridSafetyReport {

using Pairs = QVector<QPair<QString, QString>>;

Pairs gridInputs(const GridSafetyStudy &study, const StudyTexts &texts);
// 3I0, Sf and X/R with the frequency or Df as typed; empty without a fault.
Pairs faultInputs(const GridSafetyStudy &study, const StudyTexts &texts);
// Ta when Df comes from X/R, Df unless it was typed (then faultInputs has it), and IG;
// empty without them.
Pairs faultResults(const GridSafetyStudy &study, const GridSafetyOutcome &outcome,
                   const StudyTexts &texts);
// Rg, GPR, Em, Es and the tolerable touch and step voltages.
Pairs resultPairs(const tav::GridSafetyResult &result, const StudyTexts &texts);
// Em against the tolerable touch voltage and Es against the tolerable step voltage, each
// passing or failing, and the shortcut of a ground potential rise below the touch voltage.
QVector<ReportLine> verdicts(const tav::GridSafetyResult &result, const StudyTexts &texts);
Pairs factorPairs(const tav::GridSafetyResult &result, const StudyTexts &texts);
// The area, the solid conductor's diameter and Kf, or the refusal as a line.
Pairs conductorInputs(const tav::ConductorSizingInput &input, const StudyTexts &texts);
Pairs conductorPairs(const tav::ConductorSize &size, const StudyTexts &texts);
QVector<ReportLine> cautions(const GridSafetyOutcome &outcome, const StudyTexts &texts);
QString refusal(const tav::Refusal &refusal, const StudyTexts &texts);

Report report(const GridSafetyStudy &study, const GridSafetyOutcome &outcome,
              const StudyHeader &header, const StudyTexts &texts);

} // namespace GridSafetyReport
