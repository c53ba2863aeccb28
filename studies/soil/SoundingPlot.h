#pragma once

#include "report/LogLogPlot.h"
#include "report/StudyTexts.h"
#include "studies/soil/SoundingStudy.h"

// The readings of a sounding, the readings left out and the fitted model's curve on
// log-log axes.
namespace SoundingPlot {

// Under a Wenner array the curve runs smoothly across the readings' spacings; under a
// Schlumberger one each reading's value depends on its own MN/2, so it joins the model's
// values at the readings.
LogLogPlot plot(const SoundingStudy &study, const StudyTexts &texts);

// Spacings spread evenly on a log scale from the first to the last, both included.
std::vector<double> logSpaced(double first, double last, int count);

} // namespace SoundingPlot
