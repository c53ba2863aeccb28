#pragma once

#include "core/errors.h"
#include "core/soilmodel/SoilModelFit.h"
#include "report/LogLogPlot.h"
#include "report/Report.h"
#include "report/StudyTexts.h"

#include <optional>
#include <vector>

// A Wenner sounding and its two-layer model: what the soil model window shows and what
// tav-calc soil-model --pdf writes.
struct SoilModelStudy {
    std::vector<tav::WennerReading> readings; // those the fit takes, in their order
    std::vector<tav::WennerReading> leftOut;  // shown in the plot, not fitted
    // The fit of the readings; none before there is any reading.
    std::optional<tav::Refusable<tav::SoilModel>> outcome;
};

namespace SoilModelReport {

// The readings, the two-layer curve and the uniform soil on log-log axes.
LogLogPlot plot(const SoilModelStudy &study, const StudyTexts &texts);
// ρ1, ρ2, h and the RMS error (or the words that a uniform soil explains the readings),
// then the uniform soil and its RMS error.
QVector<QPair<QString, QString>> modelPairs(const tav::SoilModel &model, const StudyTexts &texts);
// The model's cautions and, when it is uniform, that it is.
QVector<ReportLine> modelNotes(const tav::SoilModel &model, const StudyTexts &texts);
// A resistivity or thickness of the model as modelPairs shows it, read back as a number:
// what a study over the soil takes, so that it never differs from what is shown.
double shownValue(double value);
// ρ1, ρ2 and h as shown, when the model's answer is two layers the readings determine
// every parameter of; none when the answer is the uniform soil or modelPairs shows any of
// them as a bound or as not determined.
std::optional<tav::TwoLayerSoil> determinedLayers(const tav::SoilModel &model);
QStringList rowsHeader(const StudyTexts &texts);
QVector<QStringList> rows(const tav::SoilModel &model);

Report report(const SoilModelStudy &study, const StudyHeader &header, const StudyTexts &texts);

} // namespace SoilModelReport
