#include "cli/SoilModelCommand.h"

#include "cli/CalculationCommand.h"
#include "cli/JsonWriter.h"
#include "cli/TextTable.h"
#include "core/NumericText.h"
#include "core/SoilResistivity.h"
#include "core/soilmodel/SoilModelFit.h"
#include "report/SoilModelReport.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

const QString kSpacings = QStringLiteral("spacings");
const QString kResistivities = QStringLiteral("resistivities");
const QString kResistances = QStringLiteral("resistances");
const QString kForm = QStringLiteral("wenner-resistances");
const QString kSpacing1 = QStringLiteral("spacing1");
const QString kSpacing2 = QStringLiteral("spacing2");

std::string shown(double value) {
    return tav::NumericText::formatReal(value, tav::NumericText::kSingleDigits);
}

void addReadingOptions(CliOptions &options) {
    options.addValue(kSpacings, QStringLiteral("A1,A2,..."),
                     QStringLiteral("Probe spacings in metres, one per reading."));
    options.addValue(kResistivities, QStringLiteral("R1,R2,..."),
                     QStringLiteral("Apparent resistivities in ohm-m, one per spacing."));
    options.addValue(kResistances, QStringLiteral("R1,R2,..."),
                     QStringLiteral("Or measured resistances in ohms, one per spacing: rho = "
                                    "2 pi a R with the exact 2 pi, not the soil form's 6.28."));
    options.addValue(kForm, QStringLiteral("R1,...,R11"),
                     QStringLiteral("Or the soil form's resistances in ohms, row by row at 1, 2, "
                                    "4, 6, 9, 12, 18, 24, 30 m and the two spacings below; rows "
                                    "at 0 are skipped as the form's average skips them."));
    options.addValue(kSpacing1, QStringLiteral("m"),
                     QStringLiteral("Probe spacing of row 10, whole metres (default 0)."));
    options.addValue(kSpacing2, QStringLiteral("m"),
                     QStringLiteral("Probe spacing of row 11, whole metres (default 0)."));
}

std::vector<tav::WennerReading> formReadings(const CliOptions &options) {
    for (const QString &other : {kSpacings, kResistivities, kResistances})
        if (options.isSet(other))
            throw UsageError("--wenner-resistances takes the soil form's spacings, not --" +
                             other.toStdString());
    const std::vector<double> resistances = options.numbers<double>(kForm);
    if (resistances.size() > std::size_t(tav::kSoilRows))
        throw UsageError("--wenner-resistances: at most 11 values, one per row");
    const int spacing1 = options.number<int>(kSpacing1, 0);
    const int spacing2 = options.number<int>(kSpacing2, 0);
    if (spacing1 < 0 || spacing2 < 0)
        throw UsageError("--spacing1, --spacing2: a probe spacing is 0 or more metres");
    return tav::WennerReadings::fromSoilForm(resistances, spacing1, spacing2);
}

std::vector<tav::WennerReading> listedReadings(const CliOptions &options) {
    if (options.isSet(kSpacing1) || options.isSet(kSpacing2))
        throw UsageError("--spacing1 and --spacing2 go with --wenner-resistances");
    if (!options.isSet(kSpacings))
        throw UsageError("--spacings (or --wenner-resistances) is required");
    if (options.isSet(kResistivities) == options.isSet(kResistances))
        throw UsageError("give either --resistivities or --resistances with --spacings");
    const bool resistances = options.isSet(kResistances);
    const QString valuesName = resistances ? kResistances : kResistivities;
    const std::vector<double> spacings = options.numbers<double>(kSpacings);
    const std::vector<double> values = options.numbers<double>(valuesName);
    if (values.size() != spacings.size())
        throw UsageError("--spacings has " + std::to_string(spacings.size()) + " values, --" +
                         valuesName.toStdString() + " " + std::to_string(values.size()));
    if (resistances)
        return tav::WennerReadings::fromResistances(spacings, values);
    std::vector<tav::WennerReading> readings;
    for (std::size_t i = 0; i < spacings.size(); ++i)
        readings.push_back({spacings[i], values[i]});
    return readings;
}

std::string modelText(const tav::SoilModel &model) {
    std::string text;
    if (model.layered)
        text = "Two-layer soil: rho1 " + shown(model.soil.rho1) + " ohm-m over rho2 " +
               shown(model.soil.rho2) + " ohm-m, the top layer " + shown(model.soil.h) +
               " m thick; RMS error " + shown(model.rmsPercent) + " %\n";
    else
        text = "A uniform soil explains the readings as well as any two layers.\n";
    text += "Uniform soil: " + shown(model.uniform.rho) + " ohm-m; RMS error " +
            shown(model.uniform.rmsPercent) + " %\n\n";
    TextTable table({"Spacing [m]", "Measured [ohm-m]", "Model [ohm-m]", "Error [%]"});
    for (const tav::SoilModelRow &row : model.rows)
        table.addRow(
            {shown(row.spacing), shown(row.measured), shown(row.model), shown(row.errorPercent)});
    return text + table.render();
}

std::string modelJson(const tav::SoilModel &model) {
    std::string json = "{\"rho1\":" + JsonWriter::shortest(model.soil.rho1) +
                       ",\"rho2\":" + JsonWriter::shortest(model.soil.rho2) +
                       ",\"h\":" + JsonWriter::shortest(model.soil.h) +
                       ",\"rms_percent\":" + JsonWriter::shortest(model.rmsPercent) +
                       ",\"uniform\":{\"rho\":" + JsonWriter::shortest(model.uniform.rho) +
                       ",\"rms_percent\":" + JsonWriter::shortest(model.uniform.rmsPercent) +
                       "},\"rows\":[";
    for (std::size_t i = 0; i < model.rows.size(); ++i) {
        const tav::SoilModelRow &row = model.rows[i];
        json += i > 0 ? "," : "";
        json += "{\"spacing\":" + JsonWriter::shortest(row.spacing) +
                ",\"measured\":" + JsonWriter::shortest(row.measured) +
                ",\"model\":" + JsonWriter::shortest(row.model) +
                ",\"error_percent\":" + JsonWriter::shortest(row.errorPercent) + "}";
    }
    return json + "],\"layered\":" + (model.layered ? "true" : "false") + "}\n";
}

class SoilModelFit : public CalculationCommand<std::vector<tav::WennerReading>, tav::SoilModel> {
public:
    SoilModelFit()
        : CalculationCommand(
              QStringLiteral("soil-model"),
              QStringLiteral("The two-layer soil (rho1 over rho2 from a depth h) whose Wenner "
                             "readings fit the measured ones best in relative least squares, "
                             "and the best uniform soil beside it. When two layers do not do "
                             "clearly better, the uniform soil is the answer and h is left "
                             "out.")) {}

protected:
    void addOptions(CliOptions &options) const override { addReadingOptions(options); }

    std::vector<tav::WennerReading> read(const CliOptions &options) const override {
        return options.isSet(kForm) ? formReadings(options) : listedReadings(options);
    }

    tav::Refusable<tav::SoilModel>
    calculate(const std::vector<tav::WennerReading> &readings) const override {
        return tav::fitSoilModel(readings);
    }

    std::string text(const tav::SoilModel &model) const override { return modelText(model); }
    std::string json(const tav::SoilModel &model) const override { return modelJson(model); }

    bool writesReport() const override { return true; }

    Report report(const std::vector<tav::WennerReading> &readings, const tav::SoilModel &model,
                  const StudyHeader &header, const StudyTexts &texts) const override {
        SoilModelStudy study;
        study.readings = readings;
        study.outcome = tav::Refusable<tav::SoilModel>(model);
        return SoilModelReport::report(study, header, texts);
    }
};

} // namespace

int SoilModelCommand::run(const QStringList &arguments) {
    return SoilModelFit().run(arguments);
}
