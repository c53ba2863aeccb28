#include "cli/RodCommand.h"

#include "cli/CalculationCommand.h"
#include "cli/JsonWriter.h"
#include "cli/TextTable.h"
#include "core/HorizontalRod.h"
#include "core/NumericText.h"
#include "core/VerticalRod.h"
#include "text/StringIds.h"

#include <cstdio>
#include <optional>
#include <string>

namespace {

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

std::string designText(const RodForm &form, const tav::RodDesignRecord &record,
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
    return text + rods.render();
}

std::string designJson(const RodForm &form, const tav::RodDesignRecord &record,
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
    return json + "]}\n";
}

QString defaultText(float value) {
    return QString::fromStdString(tav::NumericText::formatReal(value, 6));
}

// The inputs as the form holds them, and what the form's formula makes of them.
struct RodInput {
    tav::RodDesignRecord record;
    tav::RodDesignParameters parameters;
};

struct RodResult {
    tav::RodDesignRecord record;
    tav::RodDesignParameters parameters;
    int selectedRow = -1;
};

class RodDesign : public CalculationCommand<RodInput, RodResult> {
public:
    explicit RodDesign(RodForm form)
        : CalculationCommand(QLatin1String(form.command), QLatin1String(form.description)),
          m_form(std::move(form)) {}

protected:
    void addOptions(CliOptions &options) const override {
        const tav::RodDesignRecord &defaults = m_form.defaults;
        options.addValue(QStringLiteral("from"), QStringLiteral("m"),
                         QStringLiteral("Shortest rod length, whole metres (default %1).")
                             .arg(defaults.lengthFrom));
        options.addValue(QStringLiteral("to"), QStringLiteral("m"),
                         QStringLiteral("Longest rod length, whole metres (default %1).")
                             .arg(defaults.lengthTo));
        options.addValue(QStringLiteral("target"), QStringLiteral("ohm"),
                         QStringLiteral("Target ground resistance (required)."));
        options.addValue(QStringLiteral("rho"), QStringLiteral("ohm-m"),
                         QStringLiteral("Soil resistivity (required)."));
        if (m_form.takesDiameter)
            options.addValue(QStringLiteral("diameter"), QStringLiteral("mm"),
                             QStringLiteral("Rod diameter (default %1).")
                                 .arg(defaultText(defaults.rodDiameter)));
        if (m_form.takesDepth)
            options.addValue(
                QStringLiteral("depth"), QStringLiteral("m"),
                QStringLiteral("Burial depth (default %1); below %2 a warning is given.")
                    .arg(defaultText(tav::kDefaultBurialDepth))
                    .arg(tav::kShallowestBurialDepth));
    }

    RodInput read(const CliOptions &options) const override {
        options.require(QStringLiteral("target"));
        options.require(QStringLiteral("rho"));
        RodInput input{m_form.defaults, tav::verticalRodParameters()};
        tav::RodDesignRecord &record = input.record;
        record.lengthFrom = options.number<int>(QStringLiteral("from"), record.lengthFrom);
        record.lengthTo = options.number<int>(QStringLiteral("to"), record.lengthTo);
        record.targetResistance = options.number<float>(QStringLiteral("target"), 0);
        record.soilResistivity = options.number<float>(QStringLiteral("rho"), 0);
        if (m_form.takesDiameter)
            record.rodDiameter =
                options.number<float>(QStringLiteral("diameter"), record.rodDiameter);
        if (m_form.takesDepth) {
            const float depth =
                options.number<float>(QStringLiteral("depth"), tav::kDefaultBurialDepth);
            input.parameters = tav::horizontalRodParameters(depth);
        }
        return input;
    }

    // Inputs without physical sense are refused first; the form would calculate with them.
    tav::Refusable<RodResult> calculate(const RodInput &input) const override {
        if (const std::optional<tav::Refusal> refusal =
                tav::rodDesignInputRefusal(input.record, input.parameters))
            return *refusal;
        // The form warns as the depth is typed, and still calculates with it.
        const std::optional<float> depth = input.parameters.burialDepth;
        if (depth && static_cast<double>(*depth) < tav::kShallowestBurialDepth)
            std::fprintf(stderr, "%s\n", qPrintable(CliStrings::text(StringId::kShallowDepth)));
        RodResult result{input.record, input.parameters};
        const tav::RodDesignOutcome outcome =
            tav::CalculateRodDesign(result.record, result.parameters);
        if (outcome.refusal)
            return *outcome.refusal;
        result.selectedRow = outcome.selectedRow;
        return result;
    }

    std::string text(const RodResult &r) const override {
        return designText(m_form, r.record, r.parameters, r.selectedRow);
    }
    std::string json(const RodResult &r) const override {
        return designJson(m_form, r.record, r.parameters, r.selectedRow);
    }

private:
    RodForm m_form;
};

} // namespace

int RodCommand::runVertical(const QStringList &arguments) {
    return RodDesign({"vertical",
                      "Vertical rod design: eleven rod lengths between two bounds, their earth "
                      "resistance and catalyzer bags, and the catalogue rods for the first length "
                      "below the target.",
                      "TAV-VK(", tav::verticalRodDefaults(), true, false})
        .run(arguments);
}

int RodCommand::runHorizontal(const QStringList &arguments) {
    return RodDesign(
               {"horizontal",
                "Horizontal rod design: eleven lengths of a rod buried at a depth, their earth "
                "resistance and catalyzer bags, and the catalogue rods for the first length "
                "below the target.",
                "TAV-HN(", tav::horizontalRodDefaults(), false, true})
        .run(arguments);
}
