#include "report/SoilModelReport.h"

#include "report/ReportNumber.h"
#include "text/StringIds.h"

#include <algorithm>
#include <cmath>

using namespace StringId::SoilModel;
namespace Study = StringId::Study;

namespace {

constexpr int kCurvePoints = 160;
// The significant digits of the model's resistivities and thickness wherever they are shown.
constexpr int kModelDigits = ReportNumber::kDigits;
constexpr double kPlotHeightMm = 100;

QVector<QPointF> points(const std::vector<tav::WennerReading> &readings) {
    QVector<QPointF> at;
    for (const tav::WennerReading &r : readings)
        at.append({r.spacing, r.resistivity});
    return at;
}

// The spacings from the decade below the least reading to the one above the largest, so
// that the model's curve spans the plot's whole x axis.
std::pair<double, double> curveSpan(const SoilModelStudy &study) {
    double low = HUGE_VAL;
    double high = 0;
    for (const auto *list : {&study.readings, &study.leftOut})
        for (const tav::WennerReading &r : *list)
            if (std::isfinite(r.spacing) && r.spacing > 0) {
                low = std::min(low, r.spacing);
                high = std::max(high, r.spacing);
            }
    const auto [first, last] = LogLogPlot::decades(low, high);
    return {std::pow(10.0, first), std::pow(10.0, last)};
}

// A parameter the readings leave open shows what they rule out, never the fit's value, which
// is then no answer.
QString parameter(double value, const tav::Determination &determination, unsigned unit,
                  const StudyTexts &texts) {
    if (determination.determined)
        return texts.value(value, unit, kModelDigits);
    if (determination.atLeast)
        return texts.text(kAtLeast).arg(texts.value(*determination.atLeast, unit));
    if (determination.atMost)
        return texts.text(kAtMost).arg(texts.value(*determination.atMost, unit));
    return texts.text(kNotDetermined);
}

} // namespace

namespace SoilModelReport {

LogLogPlot plot(const SoilModelStudy &study, const StudyTexts &texts) {
    LogLogPlot plot;
    plot.xTitle = texts.text(kPlotX);
    plot.yTitle = texts.text(kPlotY);
    plot.emptyText = texts.text(kNoReadings);
    if (study.outcome && !study.outcome->refused()) {
        const tav::SoilModel &model = study.outcome->result();
        const auto [low, high] = curveSpan(study);
        if (model.layered) {
            PlotSeries curve{
                texts.text(kTwoLayerCurve), PlotSeries::Style::Line, QColor(0x1f, 0x5f, 0xbf), {}};
            for (int i = 0; i <= kCurvePoints; ++i) {
                const double a = low * std::pow(high / low, double(i) / kCurvePoints);
                curve.points.append({a, model.soil.wennerResistivity(a)});
            }
            plot.series.append(curve);
        }
        plot.series.append({texts.text(kUniformLine),
                            PlotSeries::Style::DashedLine,
                            QColor(0x80, 0x80, 0x80),
                            {{low, model.uniform.rho}, {high, model.uniform.rho}}});
    }
    plot.series.append({texts.text(kMeasured), PlotSeries::Style::Markers, QColor(0xc0, 0x30, 0x20),
                        points(study.readings)});
    if (!study.leftOut.empty())
        plot.series.append({texts.text(kLeftOut), PlotSeries::Style::HollowMarkers,
                            QColor(0x90, 0x90, 0x90), points(study.leftOut)});
    return plot;
}

QVector<QPair<QString, QString>> modelPairs(const tav::SoilModel &model, const StudyTexts &texts) {
    QVector<QPair<QString, QString>> pairs;
    if (model.layered) {
        const tav::TwoLayerSoil &soil = model.soil;
        pairs.append({texts.text(kRho1),
                      parameter(soil.rho1, model.rho1Determination, Study::kOhmMetre, texts)});
        pairs.append({texts.text(kRho2),
                      parameter(soil.rho2, model.rho2Determination, Study::kOhmMetre, texts)});
        pairs.append(
            {texts.text(kDepth), parameter(soil.h, model.hDetermination, Study::kMetre, texts)});
        pairs.append({texts.text(kRms), texts.value(model.rmsPercent, Study::kPercent, 3)});
    }
    pairs.append(
        {texts.text(kUniformRho), texts.value(model.uniform.rho, Study::kOhmMetre, kModelDigits)});
    pairs.append(
        {texts.text(kUniformRms), texts.value(model.uniform.rmsPercent, Study::kPercent, 3)});
    return pairs;
}

QVector<ReportLine> modelNotes(const tav::SoilModel &model, const StudyTexts &texts) {
    QVector<ReportLine> notes;
    if (!model.layered)
        notes.append({texts.text(kUniformExplains), ReportLine::Tone::Plain});
    for (const tav::Caution &caution : model.cautions)
        notes.append({texts.wording().caution(caution), ReportLine::Tone::Caution});
    return notes;
}

double shownValue(double value) {
    return ReportNumber::text(value, kModelDigits).toDouble();
}

std::optional<tav::TwoLayerSoil> determinedLayers(const tav::SoilModel &model) {
    if (!model.layered || !model.rho1Determination.determined ||
        !model.rho2Determination.determined || !model.hDetermination.determined)
        return std::nullopt;
    return tav::TwoLayerSoil{shownValue(model.soil.rho1), shownValue(model.soil.rho2),
                             shownValue(model.soil.h)};
}

QStringList rowsHeader(const StudyTexts &texts) {
    QStringList header;
    for (unsigned i = 0; i < 4; ++i)
        header.append(texts.text(kRowsColumns + i));
    return header;
}

QVector<QStringList> rows(const tav::SoilModel &model) {
    QVector<QStringList> rows;
    for (const tav::SoilModelRow &row : model.rows)
        rows.append({ReportNumber::given(row.spacing), ReportNumber::text(row.measured),
                     ReportNumber::text(row.model), ReportNumber::text(row.errorPercent, 3)});
    return rows;
}

Report report(const SoilModelStudy &study, const StudyHeader &header, const StudyTexts &texts) {
    Report report = header.startReport(kTitle, texts);
    ReportBlock model;
    if (study.outcome && !study.outcome->refused()) {
        const tav::SoilModel &m = study.outcome->result();
        model.heading = texts.text(m.layered ? kLayeredSoil : kUniformSoil);
        model.pairs = modelPairs(m, texts);
        model.lines = modelNotes(m, texts);
        report.blocks.append(model);
        ReportBlock table;
        table.heading = texts.text(kRowsHeading);
        table.header = rowsHeader(texts);
        table.rows = rows(m);
        report.blocks.append(table);
    } else {
        model.heading = texts.text(kModel);
        model.lines.append({study.outcome ? texts.text(kRefused).arg(
                                                texts.wording().refusal(study.outcome->refusal()))
                                          : texts.text(kNoReadings),
                            ReportLine::Tone::Fail});
        report.blocks.append(model);
    }
    ReportBlock picture;
    picture.plot = plot(study, texts);
    // Taller than a picture's third of the page: the curve's bend is what the reader
    // judges the fit by, and with the readings of a usual sounding it still shares their
    // page.
    picture.pictureHeight = kPlotHeightMm;
    report.blocks.append(picture);
    return report;
}

} // namespace SoilModelReport
