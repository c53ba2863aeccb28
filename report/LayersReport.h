#pragma once

#include "core/soilmodel/SoundingModel.h"
#include "report/LogLogPlot.h"
#include "report/Report.h"
#include "report/StudyTexts.h"

#include <vector>

// A sounding's soil of N layers as tav-calc soil-model --layers writes it: the layers with
// what the readings determine of each, how the count was chosen, the cautions, the readings
// against the model and both on log-log axes.
namespace LayersReport {

// Each layer's resistivity, thickness and the depth of its bottom, as determined.
QVector<QStringList> layerRows(const tav::SoundingModel &model, const StudyTexts &texts);
// Each reading (with its MN/2 under Schlumberger) against the model, and the error.
ReportBlock readingsBlock(const std::vector<tav::SoundingReading> &readings,
                          const tav::SoundingModel &model, const StudyTexts &texts);
LogLogPlot plot(const std::vector<tav::SoundingReading> &readings,
                const tav::SoundingModel &model, const StudyTexts &texts);
Report report(const std::vector<tav::SoundingReading> &readings, const tav::SoundingModel &model,
              const StudyHeader &header, const StudyTexts &texts);

} // namespace LayersReport
