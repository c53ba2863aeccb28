#include "cli/RodCommand.h"

#include "cli/CliOptions.h"
#include "cli/JsonWriter.h"
#include "cli/TextTable.h"
#include "core/HorizontalRod.h"
#include "core/NumericText.h"
#include "core/VerticalRod.h"

#include <cstdio>
#include <string>

namespace {

// The texts of the form's messages 123 and 124.
const char *refusalText(unsigned message) {
    return message == tav::kMsgTargetResistance ? "Input target ground resistance correctly."
                                                : "Input soil resistivity correctly.";
}

// What tells the two rod commands apart.
struct RodForm {
    const char *command;
    const char *description;
    const char *modelPrefix; // of the catalogue rods' labels
    tav::RodDesignRecord defaults;
    bool takesDiameter; // the horizontal form shows the diameter but does not take it
    bool takesDepth;
};

std::string modelLabel(const RodForm &form, int length) {
    return form.modelPrefix + std::to_string(length) + "m)";
}

std::string shown(double value) {
    return tav::NumericText::formatReal(value, 15);
}
std::string shown(float value) {
    return tav::NumericText::formatReal(value, 6);
}

void writeText(const RodForm &form, const tav::RodDesignRecord &record,
               const tav::RodDesignParameters &parameters, int selected) {
    TextTable table({"Length(m)", "Ohm[O]", "Ion Cat.(25Kg)", "Active Cat.(25Kg)"});
    for (int k = 0; k < tav::kRodRows; ++k) {
        table.addRow({std::to_string(record.rowLength[k]), shown(record.rowResistance[k]),
                      shown(record.ionBags[k]), shown(record.activeBags[k])});
    }
    std::string text = table.render() + "\nSelected length: ";
    text += selected < 0 ? "none" : std::to_string(record.rowLength[selected]) + " m";
    text += "\n\n";
    TextTable rods({"TAV Rod Type", "Quantity"}, TextTable::FirstColumn::Label);
    for (std::size_t j = 0; j < parameters.modelLengths.size(); ++j)
        rods.addRow({modelLabel(form, parameters.modelLengths[j]), shown(record.rodQuantity[j])});
    text += rods.render();
    std::fputs(text.c_str(), stdout);
}

void writeJson(const RodForm &form, const tav::RodDesignRecord &record,
               const tav::RodDesignParameters &parameters, int selected) {
    std::string json = "{\"rows\":[";
    for (int k = 0; k < tav::kRodRows; ++k) {
        json += k > 0 ? "," : "";
        json += "{\"length\":" + JsonWriter::integer(record.rowLength[k]) +
                ",\"resistance\":" + JsonWriter::real(record.rowResistance[k]) +
                ",\"ion_bags\":" + JsonWriter::real(record.ionBags[k]) +
                ",\"active_bags\":" + JsonWriter::real(record.activeBags[k]) + "}";
    }
    json += "],\"selected_length\":";
    json += selected < 0 ? "null" : JsonWriter::integer(record.rowLength[selected]);
    json += ",\"rods\":[";
    for (std::size_t j = 0; j < parameters.modelLengths.size(); ++j) {
        json += j > 0 ? "," : "";
        json += "{\"model\":" + JsonWriter::string(modelLabel(form, parameters.modelLengths[j])) +
                ",\"quantity\":" + JsonWriter::single(record.rodQuantity[j]) + "}";
    }
    json += "]}\n";
    std::fputs(json.c_str(), stdout);
}

QString defaultText(float value) {
    return QString::fromStdString(tav::NumericText::formatReal(value, 6));
}

int run(const RodForm &form, const QStringList &arguments) {
    const tav::RodDesignRecord &defaults = form.defaults;
    CliOptions options(QLatin1String(form.command), QLatin1String(form.description));
    options.addValue(
        QStringLiteral("from"), QStringLiteral("m"),
        QStringLiteral("Shortest rod length, whole metres (default %1).").arg(defaults.lengthFrom));
    options.addValue(
        QStringLiteral("to"), QStringLiteral("m"),
        QStringLiteral("Longest rod length, whole metres (default %1).").arg(defaults.lengthTo));
    options.addValue(QStringLiteral("target"), QStringLiteral("ohm"),
                     QStringLiteral("Target ground resistance (required)."));
    options.addValue(QStringLiteral("rho"), QStringLiteral("ohm-m"),
                     QStringLiteral("Soil resistivity (required)."));
    if (form.takesDiameter)
        options.addValue(
            QStringLiteral("diameter"), QStringLiteral("mm"),
            QStringLiteral("Rod diameter (default %1).").arg(defaultText(defaults.rodDiameter)));
    if (form.takesDepth)
        options.addValue(QStringLiteral("depth"), QStringLiteral("m"),
                         QStringLiteral("Burial depth (default %1); below %2 a warning is given.")
                             .arg(defaultText(tav::kDefaultBurialDepth))
                             .arg(tav::kShallowestBurialDepth));
    options.addFormat();
    if (options.parse(arguments))
        return 0;
    options.require(QStringLiteral("target"));
    options.require(QStringLiteral("rho"));

    tav::RodDesignRecord record = defaults;
    record.lengthFrom = options.integer(QStringLiteral("from"), record.lengthFrom);
    record.lengthTo = options.integer(QStringLiteral("to"), record.lengthTo);
    record.targetResistance = options.single(QStringLiteral("target"), 0);
    record.soilResistivity = options.single(QStringLiteral("rho"), 0);
    if (form.takesDiameter)
        record.rodDiameter = options.single(QStringLiteral("diameter"), record.rodDiameter);
    tav::RodDesignParameters parameters = tav::verticalRodParameters();
    if (form.takesDepth) {
        const float depth = options.single(QStringLiteral("depth"), tav::kDefaultBurialDepth);
        // The form warns as the depth is typed, and still calculates with it.
        if (static_cast<double>(depth) < tav::kShallowestBurialDepth)
            std::fputs("type data above 30cm.\n", stderr);
        parameters = tav::horizontalRodParameters(depth);
    }

    const tav::RodDesignOutcome outcome = tav::CalculateRodDesign(record, parameters);
    if (outcome.refusal != 0) {
        std::fprintf(stderr, "%s\n", refusalText(outcome.refusal));
        return 1;
    }
    if (options.format() == CliOptions::Format::Json)
        writeJson(form, record, parameters, outcome.selectedRow);
    else
        writeText(form, record, parameters, outcome.selectedRow);
    return 0;
}

} // namespace

int RodCommand::runVertical(const QStringList &arguments) {
    return run({"vertical",
                "Vertical rod design: eleven rod lengths between two bounds, their earth "
                "resistance and catalyzer bags, and the catalogue rods for the first length "
                "below the target.",
                "TAV-VK(", tav::verticalRodDefaults(), true, false},
               arguments);
}

int RodCommand::runHorizontal(const QStringList &arguments) {
    return run({"horizontal",
                "Horizontal rod design: eleven lengths of a rod buried at a depth, their earth "
                "resistance and catalyzer bags, and the catalogue rods for the first length "
                "below the target.",
                "TAV-HN(", tav::horizontalRodDefaults(), false, true},
               arguments);
}
