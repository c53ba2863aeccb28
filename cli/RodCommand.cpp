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
const char *RefusalText(unsigned message) {
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

std::string ModelLabel(const RodForm &form, int length) {
    return form.modelPrefix + std::to_string(length) + "m)";
}

std::string Shown(double value) {
    return tav::NumericText::FormatReal(value, 15);
}
std::string Shown(float value) {
    return tav::NumericText::FormatReal(value, 6);
}

void WriteText(const RodForm &form, const tav::RodDesignRecord &record,
               const tav::RodDesignParameters &parameters, int selected) {
    TextTable table({"Length(m)", "Ohm[O]", "Ion Cat.(25Kg)", "Active Cat.(25Kg)"});
    for (int k = 0; k < tav::kRodRows; ++k) {
        table.addRow({std::to_string(record.m_nRowLength[k]), Shown(record.m_dRowResistance[k]),
                      Shown(record.m_dIonBags[k]), Shown(record.m_dActiveBags[k])});
    }
    std::string text = table.render() + "\nSelected length: ";
    text += selected < 0 ? "none" : std::to_string(record.m_nRowLength[selected]) + " m";
    text += "\n\n";
    TextTable rods({"TAV Rod Type", "Quantity"}, TextTable::FirstColumn::Label);
    for (std::size_t j = 0; j < parameters.modelLengths.size(); ++j)
        rods.addRow(
            {ModelLabel(form, parameters.modelLengths[j]), Shown(record.m_fRodQuantity[j])});
    text += rods.render();
    std::fputs(text.c_str(), stdout);
}

void WriteJson(const RodForm &form, const tav::RodDesignRecord &record,
               const tav::RodDesignParameters &parameters, int selected) {
    std::string json = "{\"rows\":[";
    for (int k = 0; k < tav::kRodRows; ++k) {
        json += k > 0 ? "," : "";
        json += "{\"length\":" + JsonWriter::Integer(record.m_nRowLength[k]) +
                ",\"resistance\":" + JsonWriter::Double(record.m_dRowResistance[k]) +
                ",\"ion_bags\":" + JsonWriter::Double(record.m_dIonBags[k]) +
                ",\"active_bags\":" + JsonWriter::Double(record.m_dActiveBags[k]) + "}";
    }
    json += "],\"selected_length\":";
    json += selected < 0 ? "null" : JsonWriter::Integer(record.m_nRowLength[selected]);
    json += ",\"rods\":[";
    for (std::size_t j = 0; j < parameters.modelLengths.size(); ++j) {
        json += j > 0 ? "," : "";
        json += "{\"model\":" + JsonWriter::String(ModelLabel(form, parameters.modelLengths[j])) +
                ",\"quantity\":" + JsonWriter::Single(record.m_fRodQuantity[j]) + "}";
    }
    json += "]}\n";
    std::fputs(json.c_str(), stdout);
}

QString DefaultText(float value) {
    return QString::fromStdString(tav::NumericText::FormatReal(value, 6));
}

int Run(const RodForm &form, const QStringList &arguments) {
    const tav::RodDesignRecord &defaults = form.defaults;
    CliOptions options(QLatin1String(form.command), QLatin1String(form.description));
    options.addValue(QStringLiteral("from"), QStringLiteral("m"),
                     QStringLiteral("Shortest rod length, whole metres (default %1).")
                         .arg(defaults.m_nLengthFrom));
    options.addValue(
        QStringLiteral("to"), QStringLiteral("m"),
        QStringLiteral("Longest rod length, whole metres (default %1).").arg(defaults.m_nLengthTo));
    options.addValue(QStringLiteral("target"), QStringLiteral("ohm"),
                     QStringLiteral("Target ground resistance (required)."));
    options.addValue(QStringLiteral("rho"), QStringLiteral("ohm-m"),
                     QStringLiteral("Soil resistivity (required)."));
    if (form.takesDiameter)
        options.addValue(
            QStringLiteral("diameter"), QStringLiteral("mm"),
            QStringLiteral("Rod diameter (default %1).").arg(DefaultText(defaults.m_fRodDiameter)));
    if (form.takesDepth)
        options.addValue(QStringLiteral("depth"), QStringLiteral("m"),
                         QStringLiteral("Burial depth (default %1); below %2 a warning is given.")
                             .arg(DefaultText(tav::kDefaultBurialDepth))
                             .arg(tav::kShallowestBurialDepth));
    options.addFormat();
    if (options.parse(arguments))
        return 0;
    options.require(QStringLiteral("target"));
    options.require(QStringLiteral("rho"));

    tav::RodDesignRecord record = defaults;
    record.m_nLengthFrom = options.integer(QStringLiteral("from"), record.m_nLengthFrom);
    record.m_nLengthTo = options.integer(QStringLiteral("to"), record.m_nLengthTo);
    record.m_fTargetResistance = options.single(QStringLiteral("target"), 0);
    record.m_fSoilResistivity = options.single(QStringLiteral("rho"), 0);
    if (form.takesDiameter)
        record.m_fRodDiameter = options.single(QStringLiteral("diameter"), record.m_fRodDiameter);
    tav::RodDesignParameters parameters = tav::VerticalRodParameters();
    if (form.takesDepth) {
        const float depth = options.single(QStringLiteral("depth"), tav::kDefaultBurialDepth);
        // The form warns as the depth is typed, and still calculates with it.
        if (static_cast<double>(depth) < tav::kShallowestBurialDepth)
            std::fputs("type data above 30cm.\n", stderr);
        parameters = tav::HorizontalRodParameters(depth);
    }

    const tav::RodDesignOutcome outcome = tav::CalculateRodDesign(record, parameters);
    if (outcome.refusal != 0) {
        std::fprintf(stderr, "%s\n", RefusalText(outcome.refusal));
        return 1;
    }
    if (options.format() == CliOptions::Format::Json)
        WriteJson(form, record, parameters, outcome.selectedRow);
    else
        WriteText(form, record, parameters, outcome.selectedRow);
    return 0;
}

} // namespace

int RodCommand::RunVertical(const QStringList &arguments) {
    return Run({"vertical",
                "Vertical rod design: eleven rod lengths between two bounds, their earth "
                "resistance and catalyzer bags, and the catalogue rods for the first length "
                "below the target.",
                "TAV-VK(", tav::VerticalRodDefaults(), true, false},
               arguments);
}

int RodCommand::RunHorizontal(const QStringList &arguments) {
    return Run({"horizontal",
                "Horizontal rod design: eleven lengths of a rod buried at a depth, their earth "
                "resistance and catalyzer bags, and the catalogue rods for the first length "
                "below the target.",
                "TAV-HN(", tav::HorizontalRodDefaults(), false, true},
               arguments);
}
