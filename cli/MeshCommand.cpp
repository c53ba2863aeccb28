#include "cli/MeshCommand.h"

#include "cli/CalculationCommand.h"
#include "cli/JsonWriter.h"
#include "core/MeshGrid.h"
#include "core/NumericText.h"

#include <cstdio>
#include <optional>
#include <string>

namespace {

struct Input {
    const char *option;
    const char *unit;
    const char *help;
    float tav::MeshGridRecord::*member;
};

const Input kInputs[] = {
    {"rho", "ohm-m", "Soil resistivity.", &tav::MeshGridRecord::soilResistivity},
    {"horizontal-length", "m", "Horizontal side of the site, a.",
     &tav::MeshGridRecord::horizontalLength},
    {"vertical-length", "m", "Vertical side of the site, b.", &tav::MeshGridRecord::verticalLength},
    {"depth", "m", "Burial depth of the grid.", &tav::MeshGridRecord::burialDepth},
    {"horizontal-spacing", "m", "Spacing of the conductors along the horizontal side.",
     &tav::MeshGridRecord::horizontalSpacing},
    {"vertical-spacing", "m", "Spacing of the conductors along the vertical side.",
     &tav::MeshGridRecord::verticalSpacing},
};

std::string count(const std::optional<int> &count) {
    return count ? std::to_string(*count) : std::string("n/a");
}

// The record as the form leaves it, and the counts of inner conductors it took.
struct MeshResult {
    tav::MeshGridRecord record;
    std::optional<tav::MeshConductors> inner;
};

class Mesh : public CalculationCommand<tav::MeshGridRecord, MeshResult> {
public:
    Mesh()
        : CalculationCommand(QStringLiteral("mesh"),
                             QStringLiteral("Mesh grid design: the total wire length of a buried "
                                            "rectangular grid (perimeter and inner conductors) "
                                            "and its earth resistance by Sverak's formula.")) {}

protected:
    void addOptions(CliOptions &options) const override {
        for (const Input &input : kInputs)
            options.addValue(QLatin1String(input.option), QLatin1String(input.unit),
                             QLatin1String(input.help) + QStringLiteral(" Required."));
    }

    tav::MeshGridRecord read(const CliOptions &options) const override {
        tav::MeshGridRecord record;
        for (const Input &input : kInputs) {
            options.require(QLatin1String(input.option));
            record.*input.member = options.number<float>(QLatin1String(input.option), 0);
        }
        return record;
    }

    // Unlike the form, it refuses inputs without physical sense before calculating.
    tav::Refusable<MeshResult> calculate(const tav::MeshGridRecord &input) const override {
        if (const std::optional<tav::Refusal> refusal = tav::meshGridInputRefusal(input))
            return *refusal;
        MeshResult result{input,
                          tav::countMeshConductors(input.horizontalLength, input.verticalLength,
                                                   input.horizontalSpacing, input.verticalSpacing)};
        tav::calculateMeshGrid(result.record);
        return result;
    }

    std::string text(const MeshResult &result) const override {
        const tav::MeshGridRecord &record = result.record;
        const auto &inner = result.inner;
        std::string text = "Inner conductors across the horizontal length: " +
                           count(inner ? std::optional<int>(inner->horizontal) : std::nullopt) +
                           "\n";
        text += "Inner conductors across the vertical length: " +
                count(inner ? std::optional<int>(inner->vertical) : std::nullopt) + "\n";
        text += "The total length of the mesh wire: " +
                tav::NumericText::formatReal(record.totalLength, 6) + " m\n";
        text += "Calculated Ground Resistance Value: " +
                tav::NumericText::formatReal(record.resistance, 15) + " ohms\n";
        return text;
    }

    std::string json(const MeshResult &result) const override {
        const tav::MeshGridRecord &record = result.record;
        const std::string null = "null";
        std::string json = "{\"inner_conductors_horizontal\":";
        json += result.inner ? JsonWriter::integer(result.inner->horizontal) : null;
        json += ",\"inner_conductors_vertical\":";
        json += result.inner ? JsonWriter::integer(result.inner->vertical) : null;
        json += ",\"total_length\":" + JsonWriter::single(record.totalLength);
        json += ",\"resistance\":" + JsonWriter::real(record.resistance) + "}\n";
        return json;
    }
};

} // namespace

int MeshCommand::run(const QStringList &arguments) {
    return Mesh().run(arguments);
}
