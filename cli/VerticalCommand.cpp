#include "cli/VerticalCommand.h"

#include "cli/CliOptions.h"
#include "cli/JsonWriter.h"
#include "cli/TextTable.h"
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

std::string ModelLabel(int length) {
    return "TAV-VK(" + std::to_string(length) + "m)";
}

std::string Shown(double value) {
    return tav::NumericText::FormatReal(value, 15);
}
std::string Shown(float value) {
    return tav::NumericText::FormatReal(value, 6);
}

void WriteText(const tav::RodDesignRecord &record, const tav::RodDesignParameters &parameters,
               int selected) {
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
        rods.addRow({ModelLabel(parameters.modelLengths[j]), Shown(record.m_fRodQuantity[j])});
    text += rods.render();
    std::fputs(text.c_str(), stdout);
}

void WriteJson(const tav::RodDesignRecord &record, const tav::RodDesignParameters &parameters,
               int selected) {
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
        json += "{\"model\":" + JsonWriter::String(ModelLabel(parameters.modelLengths[j])) +
                ",\"quantity\":" + JsonWriter::Single(record.m_fRodQuantity[j]) + "}";
    }
    json += "]}\n";
    std::fputs(json.c_str(), stdout);
}

} // namespace

int VerticalCommand::Run(const QStringList &arguments) {
    CliOptions options(QStringLiteral("vertical"),
                       QStringLiteral("Vertical rod design: eleven rod lengths between two bounds, "
                                      "their earth resistance and catalyzer bags, and the "
                                      "catalogue rods for the first length below the target."));
    options.addValue(QStringLiteral("from"), QStringLiteral("m"),
                     QStringLiteral("Shortest rod length, whole metres (default 6)."));
    options.addValue(QStringLiteral("to"), QStringLiteral("m"),
                     QStringLiteral("Longest rod length, whole metres (default 100)."));
    options.addValue(QStringLiteral("target"), QStringLiteral("ohm"),
                     QStringLiteral("Target ground resistance (required)."));
    options.addValue(QStringLiteral("rho"), QStringLiteral("ohm-m"),
                     QStringLiteral("Soil resistivity (required)."));
    options.addValue(QStringLiteral("diameter"), QStringLiteral("mm"),
                     QStringLiteral("Rod diameter (default 54)."));
    options.addFormat();
    if (options.parse(arguments))
        return 0;
    for (const char *required : {"target", "rho"}) {
        if (!options.isSet(QLatin1String(required)))
            throw UsageError(std::string("--") + required + " is required");
    }

    tav::RodDesignRecord record = tav::VerticalRodDefaults();
    record.m_nLengthFrom = options.integer(QStringLiteral("from"), record.m_nLengthFrom);
    record.m_nLengthTo = options.integer(QStringLiteral("to"), record.m_nLengthTo);
    record.m_fTargetResistance = options.single(QStringLiteral("target"), 0);
    record.m_fSoilResistivity = options.single(QStringLiteral("rho"), 0);
    record.m_fRodDiameter = options.single(QStringLiteral("diameter"), record.m_fRodDiameter);

    const tav::RodDesignParameters parameters = tav::VerticalRodParameters();
    const tav::RodDesignOutcome outcome = tav::CalculateRodDesign(record, parameters);
    if (outcome.refusal != 0) {
        std::fprintf(stderr, "%s\n", RefusalText(outcome.refusal));
        return 1;
    }
    if (options.format() == CliOptions::Format::Json)
        WriteJson(record, parameters, outcome.selectedRow);
    else
        WriteText(record, parameters, outcome.selectedRow);
    return 0;
}
