#include "report/SweepReport.h"

#include "document/DocumentWording.h"
#include "report/PlaceTable.h"
#include "report/ReportNumber.h"
#include "report/TitleBlock.h"
#include "text/StringIds.h"

#include <limits>

namespace SweepReport {

namespace {

using tav::sweep::SweepPoint;

constexpr double kNone = std::numeric_limits<double>::quiet_NaN();

QString cell(const std::optional<double> &value) {
    return value ? ReportNumber::text(*value) : QStringLiteral("-");
}

// One series of the plot: a value per point, a gap where a point is refused or has none.
PlotSeries series(const tav::StudySweepResult &r, unsigned labelId, PlotSeries::Style style,
                  const QColor &colour, const StudyTexts &texts,
                  std::optional<double> (*of)(const SweepPoint &)) {
    PlotSeries s{texts.text(labelId), style, colour, {}};
    for (const SweepPoint &p : r.points) {
        const std::optional<double> v = p.refused ? std::nullopt : of(p);
        s.points.append(QPointF(p.value, v.value_or(kNone)));
    }
    return s;
}

} // namespace

QString parameterName(const QString &path, const StudyTexts &texts) {
    const std::vector<tav::SweepParameter> &all = tav::StudySweep::parameters();
    for (std::size_t k = 0; k < all.size(); ++k)
        if (path == QLatin1String(all[k].path))
            return texts.text(StringId::Sweep::kParameterNames + unsigned(k)) +
                   QStringLiteral(" (") + path + QLatin1Char(')');
    return path;
}

ReportBlock table(const tav::StudySweepResult &r, const StudyTexts &texts) {
    ReportBlock block;
    block.heading = texts.text(StringId::Sweep::kHeading).arg(parameterName(r.path, texts));
    for (unsigned k = 0; k < 10; ++k)
        block.header.append(texts.text(StringId::Sweep::kColumns + k));
    for (std::size_t k = 0; k < r.points.size(); ++k) {
        const SweepPoint &p = r.points[k];
        const QString value = ReportNumber::given(p.value);
        if (p.refused) {
            QStringList row(10, QStringLiteral("-"));
            row[0] = value;
            row[9] = texts.text(StringId::Sweep::kRefused);
            block.rows.append(row);
            block.lines.append(
                {value + QStringLiteral(": ") +
                     DocumentWording::error(r.reasons[k],
                                            [&texts](unsigned id) { return texts.text(id); }),
                 ReportLine::Tone::Caution});
            continue;
        }
        block.rows.append(
            {value, ReportNumber::text(p.resistance), ReportNumber::text(p.gpr), cell(p.touch),
             cell(p.touchTolerable), cell(p.touchMargin()), ReportNumber::text(p.step),
             cell(p.stepTolerable), cell(p.stepMargin()),
             p.verdict ? PlaceTable::verdictWord(*p.verdict, texts) : QStringLiteral("-")});
    }
    return block;
}

SweepPlot voltagePlot(const tav::StudySweepResult &r, const StudyTexts &texts) {
    using Style = PlotSeries::Style;
    SweepPlot plot;
    plot.xTitle = parameterName(r.path, texts);
    plot.yTitle = texts.text(StringId::Sweep::kVoltageAxis);
    const unsigned legend = StringId::Sweep::kLegend;
    plot.series = {series(r, legend + 0, Style::Markers, QColor(200, 40, 40), texts,
                          [](const SweepPoint &p) { return p.touch; }),
                   series(r, legend + 1, Style::DashedLine, QColor(200, 40, 40), texts,
                          [](const SweepPoint &p) { return p.touchTolerable; }),
                   series(r, legend + 2, Style::Markers, QColor(30, 80, 200), texts,
                          [](const SweepPoint &p) { return std::optional<double>(p.step); }),
                   series(r, legend + 3, Style::DashedLine, QColor(30, 80, 200), texts,
                          [](const SweepPoint &p) { return p.stepTolerable; })};
    return plot;
}

SweepPlot resistancePlot(const tav::StudySweepResult &r, const StudyTexts &texts) {
    SweepPlot plot;
    plot.xTitle = parameterName(r.path, texts);
    plot.yTitle = texts.text(StringId::Sweep::kResistanceAxis);
    plot.series = {series(r, StringId::Sweep::kLegend + 4, PlotSeries::Style::Markers,
                          QColor(20, 120, 60), texts,
                          [](const SweepPoint &p) { return std::optional<double>(p.resistance); })};
    return plot;
}

Report report(const tav::StudySweepResult &r, const StudyHeader &header, const StudyTexts &texts) {
    Report report = header.startReport(StringId::Sweep::kReportTitle, texts);
    report.blocks.append(TitleBlock::block(header, texts));
    report.blocks.append(table(r, texts));
    for (const SweepPlot &plot : {voltagePlot(r, texts), resistancePlot(r, texts)}) {
        ReportBlock picture;
        picture.picture = [plot](QPainter &painter, const QRectF &area) {
            plot.paint(painter, area);
        };
        report.blocks.append(picture);
    }
    return report;
}

} // namespace SweepReport
