#include "cli/WennerCommand.h"

#include "cli/CalculationCommand.h"
#include "cli/JsonWriter.h"
#include "cli/TextTable.h"
#include "core/NumericText.h"
#include "core/SoilResistivity.h"

#include <string>

namespace {

const QString kResistances = QStringLiteral("resistances");
const QString kSpacing1 = QStringLiteral("spacing1");
const QString kSpacing2 = QStringLiteral("spacing2");

std::string shown(double value) {
    return tav::NumericText::formatReal(value, 15);
}
std::string shown(float value) {
    return tav::NumericText::formatReal(value, 6);
}

class Wenner : public CalculationCommand<tav::SoilResistivityRecord, tav::SoilResistivityRecord> {
public:
    Wenner()
        : CalculationCommand(QStringLiteral("wenner"),
                             QStringLiteral("Soil resistivity from Wenner four-probe "
                                            "measurements: rho = 6.28 a R for the spacings 1, 2, "
                                            "4, 6, 9, 12, 18, 24, 30 m and two spacings of your "
                                            "own, and the average of the rows that are not "
                                            "zero.")) {}

protected:
    void addOptions(CliOptions &options) const override {
        options.addValue(kResistances, QStringLiteral("R1,R2,...,R11"),
                         QStringLiteral("Measured resistances in ohms, row by row (required); "
                                        "rows not given stay 0."));
        options.addValue(kSpacing1, QStringLiteral("m"),
                         QStringLiteral("Probe spacing of row 10, whole metres (default 0)."));
        options.addValue(kSpacing2, QStringLiteral("m"),
                         QStringLiteral("Probe spacing of row 11, whole metres (default 0)."));
    }

    tav::SoilResistivityRecord read(const CliOptions &options) const override {
        options.require(kResistances);
        tav::SoilResistivityRecord record;
        if (options.list(kResistances).size() > tav::kSoilRows)
            throw UsageError("--resistances: at most 11 values, one per row");
        const std::vector<float> resistances = options.numbers<float>(kResistances);
        for (std::size_t row = 0; row < resistances.size(); ++row)
            record.m_fMeasuredR[row] = resistances[row];
        record.m_nSpacing1 = options.number<int>(kSpacing1, 0);
        record.m_nSpacing2 = options.number<int>(kSpacing2, 0);
        // The form's spacing fields take digits only.
        if (record.m_nSpacing1 < 0 || record.m_nSpacing2 < 0)
            throw UsageError("--spacing1, --spacing2: a probe spacing is 0 or more metres");
        return record;
    }

    tav::Refusable<tav::SoilResistivityRecord>
    calculate(const tav::SoilResistivityRecord &input) const override {
        tav::SoilResistivityRecord record = input;
        tav::CalculateSoilResistivity(record);
        return record;
    }

    std::string text(const tav::SoilResistivityRecord &record) const override {
        TextTable table(
            {"Probe Spacing [m]", "Measured  R value [ohms]", "Soil resistivity [ohm-m]"});
        for (int row = 0; row < tav::kSoilRows; ++row) {
            table.addRow({std::to_string(tav::soilRowSpacing(record, row)),
                          shown(record.m_fMeasuredR[row]), shown(record.m_dResistivity[row])});
        }
        return table.render() +
               "\nCalculated average soil resistivity: " + shown(record.m_dAverage) + " [ohm]\n";
    }

    std::string json(const tav::SoilResistivityRecord &record) const override {
        std::string json = "{\"rows\":[";
        for (int row = 0; row < tav::kSoilRows; ++row) {
            json += row > 0 ? "," : "";
            json += "{\"spacing\":" + JsonWriter::integer(tav::soilRowSpacing(record, row)) +
                    ",\"resistance\":" + JsonWriter::single(record.m_fMeasuredR[row]) +
                    ",\"resistivity\":" + JsonWriter::real(record.m_dResistivity[row]) + "}";
        }
        return json + "],\"average\":" + JsonWriter::real(record.m_dAverage) + "}\n";
    }
};

} // namespace

int WennerCommand::run(const QStringList &arguments) {
    return Wenner().run(arguments);
}
