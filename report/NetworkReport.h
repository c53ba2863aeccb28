#pragma once

#include "core/network/NetworkResult.h"
#include "document/NetworkJson.h"
#include "report/Report.h"
#include "report/StudyTexts.h"

#include <QString>
#include <QVector>

// The report's section on the current into the earth, when the study works it out from
// the lines and cables that feed the fault: the network's figures (3I0, Z_E, I_E, Sf, the
// study's Df |I_E|), each line's and cable's data and what it does with the current, and
// the potential each line carries out to its first towers.
namespace NetworkReport {

// "12.3 at -4.5°": a complex figure's magnitude and angle, as the section shows it.
QString phasor(tav::network::Complex z, const StudyTexts &texts);
// The current the study took, worded for the inputs: Df |I_E| and the network's Sf.
QString studyCurrent(const tav::NetworkPart &part, const tav::network::NetworkResult &result,
                     const StudyTexts &texts);
QVector<ReportBlock> blocks(const tav::NetworkPart &part, const tav::network::NetworkResult &result,
                            const StudyTexts &texts);

} // namespace NetworkReport
