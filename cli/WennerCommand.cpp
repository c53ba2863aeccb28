#include "cli/WennerCommand.h"

#include "cli/CliOptions.h"
#include "cli/JsonWriter.h"
#include "cli/TextTable.h"
#include "core/NumericText.h"
#include "core/SoilResistivity.h"

#include <cstdio>
#include <string>

namespace {

std::string shown(double value) {
    return tav::NumericText::formatReal(value, 15);
}
std::string shown(float value) {
    return tav::NumericText::formatReal(value, 6);
}

void writeText(const tav::SoilResistivityRecord &record) {
    TextTable table({"Probe Spacing [m]", "Measured  R value [ohms]", "Soil resistivity [ohm-m]"});
    for (int row = 0; row < tav::kSoilRows; ++row) {
        table.addRow({std::to_string(tav::soilRowSpacing(record, row)),
                      shown(record.m_fMeasuredR[row]), shown(record.m_dResistivity[row])});
    }
    const std::string text = table.render() +
                             "\nCalculated average soil resistivity: " + shown(record.m_dAverage) +
                             " [ohm]\n";
    std::fputs(text.c_str(), stdout);
}

void writeJson(const tav::SoilResistivityRecord &record) {
    std::string json = "{\"rows\":[";
    for (int row = 0; row < tav::kSoilRows; ++row) {
        json += row > 0 ? "," : "";
        json += "{\"spacing\":" + JsonWriter::integer(tav::soilRowSpacing(record, row)) +
                ",\"resistance\":" + JsonWriter::single(record.m_fMeasuredR[row]) +
                ",\"resistivity\":" + JsonWriter::real(record.m_dResistivity[row]) + "}";
    }
    json += "],\"average\":" + JsonWriter::real(record.m_dAverage) + "}\n";
    std::fputs(json.c_str(), stdout);
}

} // namespace

int WennerCommand::run(const QStringList &arguments) {
    CliOptions options(QStringLiteral("wenner"),
                       QStringLiteral("Soil resistivity from Wenner four-probe measurements: "
                                      "rho = 6.28 a R for the spacings 1, 2, 4, 6, 9, 12, 18, "
                                      "24, 30 m and two spacings of your own, and the average "
                                      "of the rows that are not zero."));
    options.addValue(QStringLiteral("resistances"), QStringLiteral("R1,R2,...,R11"),
                     QStringLiteral("Measured resistances in ohms, row by row (required); rows "
                                    "not given stay 0."));
    options.addValue(QStringLiteral("spacing1"), QStringLiteral("m"),
                     QStringLiteral("Probe spacing of row 10, whole metres (default 0)."));
    options.addValue(QStringLiteral("spacing2"), QStringLiteral("m"),
                     QStringLiteral("Probe spacing of row 11, whole metres (default 0)."));
    options.addFormat();
    if (options.parse(arguments))
        return 0;
    options.require(QStringLiteral("resistances"));

    tav::SoilResistivityRecord record;
    const QStringList resistances = options.list(QStringLiteral("resistances"));
    if (resistances.size() > tav::kSoilRows)
        throw UsageError("--resistances: at most 11 values, one per row");
    for (int row = 0; row < resistances.size(); ++row)
        record.m_fMeasuredR[row] =
            CliOptions::parseSingle(QStringLiteral("resistances"), resistances[row]);
    record.m_nSpacing1 = options.integer(QStringLiteral("spacing1"), 0);
    record.m_nSpacing2 = options.integer(QStringLiteral("spacing2"), 0);
    // The form's spacing fields take digits only.
    if (record.m_nSpacing1 < 0 || record.m_nSpacing2 < 0)
        throw UsageError("--spacing1, --spacing2: a probe spacing is 0 or more metres");

    tav::CalculateSoilResistivity(record);
    if (options.format() == CliOptions::Format::Json)
        writeJson(record);
    else
        writeText(record);
    return 0;
}
