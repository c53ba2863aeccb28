#include "cli/MeshCommand.h"

#include "cli/CliOptions.h"
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

void writeText(const tav::MeshGridRecord &record, const std::optional<tav::MeshConductors> &inner) {
    std::string text = "Inner conductors across the horizontal length: " +
                       count(inner ? std::optional<int>(inner->horizontal) : std::nullopt) + "\n";
    text += "Inner conductors across the vertical length: " +
            count(inner ? std::optional<int>(inner->vertical) : std::nullopt) + "\n";
    text += "The total length of the mesh wire: " +
            tav::NumericText::formatReal(record.totalLength, 6) + " m\n";
    text += "Calculated Ground Resistance Value: " +
            tav::NumericText::formatReal(record.resistance, 15) + " ohms\n";
    std::fputs(text.c_str(), stdout);
}

void writeJson(const tav::MeshGridRecord &record, const std::optional<tav::MeshConductors> &inner) {
    const std::string null = "null";
    std::string json = "{\"inner_conductors_horizontal\":";
    json += inner ? JsonWriter::integer(inner->horizontal) : null;
    json += ",\"inner_conductors_vertical\":";
    json += inner ? JsonWriter::integer(inner->vertical) : null;
    json += ",\"total_length\":" + JsonWriter::single(record.totalLength);
    json += ",\"resistance\":" + JsonWriter::real(record.resistance) + "}\n";
    std::fputs(json.c_str(), stdout);
}

} // namespace

int MeshCommand::run(const QStringList &arguments) {
    CliOptions options(QStringLiteral("mesh"),
                       QStringLiteral("Mesh grid design: the total wire length of a buried "
                                      "rectangular grid (perimeter and inner conductors) and "
                                      "its earth resistance by Sverak's formula."));
    for (const Input &input : kInputs)
        options.addValue(QLatin1String(input.option), QLatin1String(input.unit),
                         QLatin1String(input.help) + QStringLiteral(" Required."));
    options.addFormat();
    if (options.parse(arguments))
        return 0;

    tav::MeshGridRecord record;
    for (const Input &input : kInputs) {
        options.require(QLatin1String(input.option));
        record.*input.member = options.single(QLatin1String(input.option), 0);
    }
    tav::calculateMeshGrid(record);
    const std::optional<tav::MeshConductors> inner =
        tav::countMeshConductors(record.horizontalLength, record.verticalLength,
                                 record.horizontalSpacing, record.verticalSpacing);
    if (options.format() == CliOptions::Format::Json)
        writeJson(record, inner);
    else
        writeText(record, inner);
    return 0;
}
