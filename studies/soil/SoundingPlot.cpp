#include "studies/soil/SoundingPlot.h"

#include "report/LayersReport.h"
#include "text/StringIds.h"

#include <algorithm>
#include <cmath>

namespace SoundingPlot {

namespace {

// Enough points that the curve shows no corners at any size the window takes.
constexpr int kCurvePoints = 60;

} // namespace

std::vector<double> logSpaced(double first, double last, int count) {
    std::vector<double> spacings;
    if (count < 2 || !(first > 0) || !(last > first))
        return {first};
    const double step = std::log(last / first) / (count - 1);
    for (int i = 0; i < count; ++i)
        spacings.push_back(i + 1 == count ? last : first * std::exp(step * i));
    return spacings;
}

LogLogPlot plot(const SoundingStudy &study, const StudyTexts &texts) {
    LogLogPlot plot;
    if (study.fitted()) {
        plot = LayersReport::plot(study.readings, study.outcome->result(), texts);
    } else {
        plot.xTitle = texts.text(study.array == tav::SoundingArray::Schlumberger
                                     ? StringId::LayersReport::kPlotAb
                                     : StringId::SoilModel::kPlotX);
        plot.yTitle = texts.text(StringId::SoilModel::kPlotY);
        plot.emptyText = texts.text(StringId::SoilModel::kNoReadings);
        PlotSeries measured{texts.text(StringId::SoilModel::kMeasured),
                            PlotSeries::Style::Markers,
                            QColor(0xc0, 0x30, 0x20),
                            {}};
        for (const tav::SoundingReading &r : study.readings)
            measured.points.append({r.spacing, r.resistivity});
        if (!measured.points.isEmpty())
            plot.series.append(measured);
    }
    if (study.fitted() && study.array == tav::SoundingArray::Wenner && !plot.series.empty()) {
        const auto [low, high] =
            std::minmax_element(study.readings.begin(), study.readings.end(),
                                [](const auto &a, const auto &b) { return a.spacing < b.spacing; });
        const tav::LayeredSoil &soil = study.outcome->result().fit.soil;
        PlotSeries &curve = plot.series.front();
        curve.points.clear();
        for (double a : logSpaced(low->spacing, high->spacing, kCurvePoints))
            curve.points.append({a, soil.wennerResistivity(a)});
    }
    if (!study.leftOut.empty()) {
        PlotSeries leftOut{texts.text(StringId::SoilModel::kLeftOut),
                           PlotSeries::Style::HollowMarkers,
                           QColor(0x90, 0x90, 0x90),
                           {}};
        for (const tav::SoundingReading &r : study.leftOut)
            leftOut.points.append({r.spacing, r.resistivity});
        plot.series.append(leftOut);
    }
    return plot;
}

} // namespace SoundingPlot
