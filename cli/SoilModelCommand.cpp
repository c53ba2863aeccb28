#include "cli/SoilModelCommand.h"

#include "cli/CalculationCommand.h"
#include "cli/JsonWriter.h"
#include "cli/LayersOutput.h"
#include "cli/SoundingOptions.h"
#include "cli/TextTable.h"
#include "core/NumericText.h"
#include "core/SoilResistivity.h"
#include "core/soilmodel/SoilModelFit.h"
#include "core/soilmodel/SoundingModel.h"
#include "report/LayersReport.h"
#include "report/SoilModelReport.h"
#include "text/StringIds.h"

#include <cmath>
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

// The ranges WennerReadings::refusal accepts, as the help tells them.
QString accepted() {
    using namespace tav::WennerReadings;
    return QStringLiteral(" Readings are accepted with spacings from %1 to %2 m and apparent "
                          "resistivities (given or 2 pi a R) from %3 to %4 ohm-m.")
        .arg(kLeastSpacing, 0, 'g', 12)
        .arg(kGreatestSpacing, 0, 'g', 12)
        .arg(kLeastResistivity, 0, 'g', 12)
        .arg(kGreatestResistivity, 0, 'g', 12);
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
    SoundingOptions::add(options);
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

// The spacings and their values as listed; true when the values are resistances.
bool listedValues(const CliOptions &options, std::vector<double> &spacings,
                  std::vector<double> &values) {
    if (options.isSet(kSpacing1) || options.isSet(kSpacing2))
        throw UsageError("--spacing1 and --spacing2 go with --wenner-resistances");
    if (!options.isSet(kSpacings))
        throw UsageError("--spacings (or --wenner-resistances or --readings) is required");
    if (options.isSet(kResistivities) == options.isSet(kResistances))
        throw UsageError("give either --resistivities or --resistances with --spacings");
    const bool resistances = options.isSet(kResistances);
    const QString valuesName = resistances ? kResistances : kResistivities;
    spacings = options.numbers<double>(kSpacings);
    values = options.numbers<double>(valuesName);
    if (values.size() != spacings.size())
        throw UsageError("--spacings has " + std::to_string(spacings.size()) + " values, --" +
                         valuesName.toStdString() + " " + std::to_string(values.size()));
    return resistances;
}

std::vector<tav::WennerReading> listedReadings(const CliOptions &options) {
    std::vector<double> spacings, values;
    const bool resistances = listedValues(options, spacings, values);
    if (resistances)
        return tav::WennerReadings::fromResistances(spacings, values);
    std::vector<tav::WennerReading> readings;
    for (std::size_t i = 0; i < spacings.size(); ++i)
        readings.push_back({spacings[i], values[i]});
    return readings;
}

std::string warnings(const tav::SoilModel &model) {
    std::string text;
    for (const tav::Caution &caution : model.cautions)
        text += "Warning: " + CliStrings::wording().caution(caution).toStdString() + ".\n";
    return text;
}

// "rho2 4120 ohm-m", "rho2 at least 4120 ohm-m", "rho2 not determined".
std::string parameterText(const std::string &name, double value,
                          const tav::Determination &determination, const std::string &unit) {
    if (determination.determined)
        return name + " " + shown(value) + " " + unit;
    if (determination.atLeast)
        return name + " at least " + shown(*determination.atLeast) + " " + unit;
    if (determination.atMost)
        return name + " at most " + shown(*determination.atMost) + " " + unit;
    return name + " not determined";
}

bool noModelFits(const tav::SoilModel &model) {
    for (const tav::Caution &caution : model.cautions)
        if (caution.warning == tav::Warning::NoModelFits)
            return true;
    return false;
}

std::string modelText(const tav::SoilModel &model) {
    std::string text;
    if (model.layered)
        text = "Two-layer soil: " +
               parameterText("rho1", model.soil.rho1, model.rho1Determination, "ohm-m") + " over " +
               parameterText("rho2", model.soil.rho2, model.rho2Determination, "ohm-m") + ", " +
               parameterText("the top layer", model.soil.h, model.hDetermination, "m thick") +
               "; RMS error " + shown(model.rmsPercent) + " %\n";
    else if (!noModelFits(model))
        text = CliStrings::text(StringId::SoilModel::kUniformExplains).toStdString() + "\n";
    text += warnings(model);
    text += "Uniform soil: " + shown(model.uniform.rho) + " ohm-m; RMS error " +
            shown(model.uniform.rmsPercent) + " %\n\n";
    TextTable table({"Spacing [m]", "Measured [ohm-m]", "Model [ohm-m]", "Error [%]"});
    for (const tav::SoilModelRow &row : model.rows)
        table.addRow(
            {shown(row.spacing), shown(row.measured), shown(row.model), shown(row.errorPercent)});
    return text + table.render();
}

// A parameter the readings do not determine is null, with the bound they set, if any.
std::string determinedJson(double value, const tav::Determination &determination) {
    return JsonWriter::shortest(determination.determined ? value : std::nan(""));
}

std::string boundsJson(const std::string &name, const tav::Determination &determination) {
    std::string json;
    if (determination.atLeast)
        json += ",\"" + name + "_at_least\":" + JsonWriter::shortest(*determination.atLeast);
    if (determination.atMost)
        json += ",\"" + name + "_at_most\":" + JsonWriter::shortest(*determination.atMost);
    return json;
}

std::string warningJson(const tav::SoilModel &model) {
    if (model.cautions.empty())
        return "";
    std::string text;
    for (const tav::Caution &caution : model.cautions)
        text += (text.empty() ? "" : "; ") + CliStrings::wording().caution(caution).toStdString();
    return ",\"warning\":" + JsonWriter::string(text);
}

std::string modelJson(const tav::SoilModel &model) {
    std::string json = "{\"rho1\":" + determinedJson(model.soil.rho1, model.rho1Determination) +
                       ",\"rho2\":" + determinedJson(model.soil.rho2, model.rho2Determination) +
                       ",\"h\":" + determinedJson(model.soil.h, model.hDetermination) +
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
    json += std::string("],\"layered\":") + (model.layered ? "true" : "false");
    json += boundsJson("rho1", model.rho1Determination) +
            boundsJson("rho2", model.rho2Determination) + boundsJson("h", model.hDetermination);
    return json + warningJson(model) + "}\n";
}

// The readings of a sounding as the options give them: today's Wenner readings for the
// choice between a uniform soil and two layers, or a sounding of N layers.
struct SoilInput {
    std::vector<tav::WennerReading> wenner;
    SoundingOptions::Sounding sounding;
    bool layered = false;
};

struct SoilAnswer {
    tav::SoilModel twoLayer;
    std::optional<tav::SoundingModel> layered;
    std::vector<tav::SoundingReading> readings; // the layered answer's, shown beside it
};

SoilInput soilInput(const CliOptions &options) {
    SoilInput in;
    const bool file = SoundingOptions::givesReadingsFile(options);
    if (!file && !SoundingOptions::wantsLayers(options)) {
        in.wenner = options.isSet(kForm) ? formReadings(options) : listedReadings(options);
        return in;
    }
    std::vector<double> spacings, values;
    bool resistances = false;
    if (file) {
        for (const QString &other : {kSpacings, kResistivities, kResistances, kForm})
            if (options.isSet(other))
                throw UsageError("--readings takes the place of --" + other.toStdString());
    } else if (options.isSet(kForm)) {
        for (const tav::WennerReading &r : formReadings(options)) {
            spacings.push_back(r.spacing);
            values.push_back(r.resistivity);
        }
    } else {
        resistances = listedValues(options, spacings, values);
    }
    in.sounding = SoundingOptions::read(options, spacings, values, resistances);
    in.layered = !in.sounding.twoLayerChoice;
    if (!in.layered)
        for (const tav::SoundingReading &r : in.sounding.readings)
            in.wenner.push_back({r.spacing, r.resistivity});
    return in;
}

class SoilModelFit : public CalculationCommand<SoilInput, SoilAnswer> {
public:
    SoilModelFit()
        : CalculationCommand(
              QStringLiteral("soil-model"),
              QStringLiteral("The two-layer soil (rho1 over rho2 from a depth h) whose Wenner "
                             "readings fit the measured ones best in relative least squares, "
                             "and the best uniform soil beside it. When two layers do not do "
                             "clearly better, the uniform soil is the answer and h is left "
                             "out. With --layers, N horizontal layers (1 to 5) of a Wenner or "
                             "Schlumberger sounding, or as many as the readings support. A "
                             "parameter the readings do not determine is given as a bound, or "
                             "not at all, with a warning.") +
                  accepted()) {}

protected:
    void addOptions(CliOptions &options) const override { addReadingOptions(options); }

    SoilInput read(const CliOptions &options) const override { return soilInput(options); }

    QString refusedInput(const SoilInput &in) const override { return in.sounding.refused; }

    QStringList inputFiles(const CliOptions &options) const override {
        return SoundingOptions::givesReadingsFile(options)
                   ? QStringList{SoundingOptions::readingsFile(options)}
                   : QStringList{};
    }

    tav::Refusable<SoilAnswer> calculate(const SoilInput &in) const override {
        SoilAnswer answer;
        if (in.layered) {
            auto layered = tav::fitSounding(in.sounding.readings, in.sounding.layers,
                                            in.sounding.most);
            if (layered.refused())
                return layered.refusal();
            answer.layered = layered.result();
            answer.readings = in.sounding.readings;
            return answer;
        }
        auto model = tav::fitSoilModel(in.wenner);
        if (model.refused())
            return model.refusal();
        answer.twoLayer = model.result();
        return answer;
    }

    std::string text(const SoilAnswer &a) const override {
        return a.layered ? LayersOutput::text(a.readings, *a.layered) : modelText(a.twoLayer);
    }
    std::string json(const SoilAnswer &a) const override {
        return a.layered ? LayersOutput::json(a.readings, *a.layered) : modelJson(a.twoLayer);
    }

    bool writesReport() const override { return true; }

    Report report(const SoilInput &in, const SoilAnswer &a, const StudyHeader &header,
                  const StudyTexts &texts) const override {
        if (a.layered)
            return LayersReport::report(in.sounding.readings, *a.layered, header, texts);
        SoilModelStudy study;
        study.readings = in.wenner;
        study.outcome = tav::Refusable<tav::SoilModel>(a.twoLayer);
        return SoilModelReport::report(study, header, texts);
    }

};

} // namespace

int SoilModelCommand::run(const QStringList &arguments) {
    return SoilModelFit().run(arguments);
}
