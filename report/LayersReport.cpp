#include "report/LayersReport.h"

#include "report/LayerColumn.h"
#include "report/ReportNumber.h"
#include "text/StringIds.h"

#include <algorithm>
#include <cmath>

using namespace StringId::LayersReport;
namespace Soil = StringId::SoilModel;

namespace LayersReport {

namespace {

QString number(double value) {
    return ReportNumber::text(value);
}

// A value as determined: the number, its bound, or that it is open.
QString determined(double value, const tav::Determination &d, const StudyTexts &texts) {
    if (d.determined)
        return number(value);
    if (d.atLeast)
        return texts.text(Soil::kAtLeast).arg(number(*d.atLeast));
    if (d.atMost)
        return texts.text(Soil::kAtMost).arg(number(*d.atMost));
    return texts.text(Soil::kNotDetermined);
}

bool schlumberger(const std::vector<tav::SoundingReading> &readings) {
    return !readings.empty() && readings.front().array == tav::SoundingArray::Schlumberger;
}

ReportBlock countBlock(const tav::SoundingModel &m, const StudyTexts &texts) {
    ReportBlock block;
    block.heading = texts.text(kCountHeading);
    const int layers = int(m.fit.soil.resistivities.size());
    block.lines = {{texts.text(m.choice ? kChosen : kGiven).arg(layers), ReportLine::Tone::Plain}};
    if (!m.choice)
        return block;
    for (unsigned k = 0; k < 4; ++k)
        block.header.append(texts.text(kCountColumns + k));
    for (std::size_t i = 0; i < m.choice->fits.size(); ++i) {
        const bool tested = i > 0 && i - 1 < m.choice->tests.size();
        block.rows.append({QString::number(i + 1), number(m.choice->fits[i].rmsPercent),
                           tested ? number(m.choice->tests[i - 1].first) : QString(),
                           tested ? number(m.choice->tests[i - 1].second) : QString()});
    }
    return block;
}

} // namespace

ReportBlock readingsBlock(const std::vector<tav::SoundingReading> &readings,
                          const tav::SoundingModel &m, const StudyTexts &texts) {
    ReportBlock block;
    block.heading = texts.text(Soil::kRowsHeading);
    const bool s = schlumberger(readings);
    block.header = {texts.text(s ? kAb : Soil::kRowsColumns)};
    if (s)
        block.header.append(texts.text(kMn));
    for (unsigned k = 1; k < 4; ++k)
        block.header.append(texts.text(Soil::kRowsColumns + k));
    for (std::size_t i = 0; i < readings.size(); ++i) {
        const tav::SoundingReading &r = readings[i];
        const double model = m.fit.modelled.at(i);
        QStringList row{ReportNumber::given(r.spacing)};
        if (s)
            row.append(ReportNumber::given(r.halfPotentialSpacing));
        row << ReportNumber::given(r.resistivity) << number(model)
            << ReportNumber::text(100 * (model - r.resistivity) / r.resistivity, 3);
        block.rows.append(row);
    }
    return block;
}

QVector<QStringList> layerRows(const tav::SoundingModel &m, const StudyTexts &texts) {
    QVector<QStringList> rows;
    const tav::LayeredSoil &soil = m.fit.soil;
    double depth = 0;
    for (std::size_t i = 0; i < soil.resistivities.size(); ++i) {
        const bool last = i + 1 == soil.resistivities.size();
        const auto &product = i < m.determinacy.products.size() ? m.determinacy.products[i]
                                                                : std::nullopt;
        QString rho = determined(soil.resistivities[i], m.determinacy.resistivities[i], texts);
        QString thickness, bottom;
        if (!last) {
            depth += soil.thicknesses[i];
            thickness = determined(soil.thicknesses[i], m.determinacy.thicknesses[i], texts);
            bottom = number(depth);
        }
        if (product) {
            rho = texts
                      .text(product->kind == tav::LayerProduct::Kind::Conductance
                                ? kConductanceOnly
                                : kTransverseOnly)
                      .arg(number(product->value));
            thickness.clear();
        }
        rows.append({QString::number(i + 1), rho, thickness, bottom});
    }
    return rows;
}

LogLogPlot plot(const std::vector<tav::SoundingReading> &readings,
                const tav::SoundingModel &m, const StudyTexts &texts) {
    LogLogPlot plot;
    plot.xTitle = texts.text(schlumberger(readings) ? kPlotAb : Soil::kPlotX);
    plot.yTitle = texts.text(Soil::kPlotY);
    plot.emptyText = texts.text(Soil::kNoReadings);
    // The model through the readings' spacings in order: a Schlumberger reading's value
    // depends on its own MN/2, so the curve is drawn where the readings are.
    std::vector<std::size_t> order(readings.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    std::sort(order.begin(), order.end(), [&readings](std::size_t a, std::size_t b) {
        return readings[a].spacing < readings[b].spacing;
    });
    PlotSeries curve{texts.text(kCurve), PlotSeries::Style::Line, QColor(0x1f, 0x5f, 0xbf), {}};
    PlotSeries measured{texts.text(Soil::kMeasured), PlotSeries::Style::Markers,
                        QColor(0xc0, 0x30, 0x20), {}};
    // The band: at each reading, the least and the greatest of the curves of the soils at
    // the ends of the readings' 95 % regions, and the fit's own.
    const QColor grey(0x80, 0x80, 0x80);
    PlotSeries low{QString(), PlotSeries::Style::DashedLine, grey, {}};
    PlotSeries high{texts.text(kBand), PlotSeries::Style::DashedLine, grey, {}};
    for (std::size_t i : order) {
        const double model = m.fit.modelled.at(i);
        curve.points.append({readings[i].spacing, model});
        measured.points.append({readings[i].spacing, readings[i].resistivity});
        double least = model, greatest = model;
        for (const tav::LayeredSoil &edge : m.determinacy.edges) {
            const double v = edge.apparentResistivity(readings[i]);
            if (std::isfinite(v) && v > 0) {
                least = std::min(least, v);
                greatest = std::max(greatest, v);
            }
        }
        low.points.append({readings[i].spacing, least});
        high.points.append({readings[i].spacing, greatest});
    }
    plot.series = {curve, measured};
    if (!m.determinacy.edges.empty())
        plot.series << high << low;
    return plot;
}

Report report(const std::vector<tav::SoundingReading> &readings, const tav::SoundingModel &m,
              const StudyHeader &header, const StudyTexts &texts) {
    Report report = header.startReport(kTitle, texts);
    ReportBlock layers;
    layers.heading = texts.text(kLayers);
    for (unsigned k = 0; k < 4; ++k)
        layers.header.append(texts.text(kLayerColumns + k));
    layers.rows = layerRows(m, texts);
    layers.lines.append({texts.text(kRms).arg(ReportNumber::text(m.fit.rmsPercent, 3)),
                         ReportLine::Tone::Plain});
    for (const tav::Caution &c : m.cautions)
        layers.lines.append({texts.wording().caution(c), ReportLine::Tone::Caution});
    // The layers to scale down from the surface, beside nothing: a glance at the depths.
    LayerColumn column;
    column.soil = m.fit.soil;
    column.unit = texts.text(StringId::Study::kOhmMetre);
    layers.picture = [column](QPainter &painter, const QRectF &area) {
        column.paint(painter, area);
    };
    layers.pictureHeight = 50;
    report.blocks.append(layers);
    report.blocks.append(countBlock(m, texts));
    ReportBlock picture;
    picture.plot = plot(readings, m, texts);
    picture.pictureHeight = 100;
    report.blocks.append(picture);
    report.blocks.append(readingsBlock(readings, m, texts));
    return report;
}

} // namespace LayersReport
