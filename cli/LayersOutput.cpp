#include "cli/LayersOutput.h"

#include "cli/CliStrings.h"
#include "cli/JsonWriter.h"
#include "cli/TextTable.h"
#include "core/NumericText.h"

#include <cmath>

namespace LayersOutput {

namespace {

std::string shown(double value) {
    return tav::NumericText::formatReal(value, tav::NumericText::kSingleDigits);
}

std::string number(double value) {
    return JsonWriter::shortest(value);
}

const tav::Determination &resistivityOf(const tav::SoundingModel &m, std::size_t i) {
    return m.determinacy.resistivities.at(i);
}

const std::optional<tav::LayerProduct> &productOf(const tav::SoundingModel &m, std::size_t i) {
    static const std::optional<tav::LayerProduct> none;
    return i < m.determinacy.products.size() ? m.determinacy.products[i] : none;
}

bool schlumberger(const std::vector<tav::SoundingReading> &readings) {
    return !readings.empty() && readings.front().array == tav::SoundingArray::Schlumberger;
}

// "300", "at least 4120", "not determined".
std::string valueText(double value, const tav::Determination &d) {
    if (d.determined)
        return shown(value);
    if (d.atLeast)
        return "at least " + shown(*d.atLeast);
    if (d.atMost)
        return "at most " + shown(*d.atMost);
    return "not determined";
}

std::string productText(const tav::LayerProduct &p) {
    return p.kind == tav::LayerProduct::Kind::Conductance
               ? "h/rho " + shown(p.value) + " S only"
               : "h*rho " + shown(p.value) + " ohm-m2 only";
}

std::string layersTable(const tav::SoundingModel &m) {
    TextTable table({"Layer", "Resistivity [ohm-m]", "Thickness [m]", "Bottom at [m]"});
    const tav::LayeredSoil &soil = m.fit.soil;
    double depth = 0;
    for (std::size_t i = 0; i < soil.resistivities.size(); ++i) {
        const bool last = i + 1 == soil.resistivities.size();
        const auto &product = productOf(m, i);
        std::string rho = product ? productText(*product)
                                  : valueText(soil.resistivities[i], resistivityOf(m, i));
        std::string thickness = "-", bottom = "-";
        if (!last) {
            depth += soil.thicknesses[i];
            thickness = product ? "" : valueText(soil.thicknesses[i], m.determinacy.thicknesses[i]);
            bottom = shown(depth);
        }
        table.addRow({std::to_string(i + 1), rho, thickness, bottom});
    }
    return table.render();
}

std::string criterionText(const tav::SoundingModel &m) {
    if (!m.choice)
        return "";
    std::string text = "Layers: " + std::to_string(m.choice->layers) +
                       ", the fewest the readings support (F test at 95 %):";
    for (std::size_t i = 0; i < m.choice->fits.size(); ++i) {
        text += (i ? "; " : " ") + std::to_string(i + 1) + " RMS " +
                shown(m.choice->fits[i].rmsPercent) + " %";
        if (i > 0 && i - 1 < m.choice->tests.size())
            text += " (F " + shown(m.choice->tests[i - 1].first) + " against " +
                    shown(m.choice->tests[i - 1].second) + ")";
    }
    return text + "\n";
}

std::string warnings(const tav::SoundingModel &m) {
    std::string text;
    for (const tav::Caution &c : m.cautions)
        text += "Warning: " + CliStrings::wording().caution(c).toStdString() + ".\n";
    return text;
}

std::string rowsTable(const std::vector<tav::SoundingReading> &readings,
                      const tav::SoundingModel &m) {
    const bool s = schlumberger(readings);
    TextTable table(s ? std::vector<std::string>{"AB/2 [m]", "MN/2 [m]", "Measured [ohm-m]",
                                                 "Model [ohm-m]", "Error [%]"}
                      : std::vector<std::string>{"Spacing [m]", "Measured [ohm-m]",
                                                 "Model [ohm-m]", "Error [%]"});
    for (std::size_t i = 0; i < readings.size(); ++i) {
        const tav::SoundingReading &r = readings[i];
        const double model = m.fit.modelled.at(i);
        std::vector<std::string> row{shown(r.spacing)};
        if (s)
            row.push_back(shown(r.halfPotentialSpacing));
        row.insert(row.end(), {shown(r.resistivity), shown(model),
                               shown(100 * (model - r.resistivity) / r.resistivity)});
        table.addRow(row);
    }
    return table.render();
}

// A determined value, or null with the bound the readings set beside it.
std::string parameterJson(const std::string &name, double value, const tav::Determination &d) {
    std::string json = "\"" + name + "\":" + (d.determined ? number(value) : "null");
    if (!d.determined && d.atLeast)
        json += ",\"" + name + "_at_least\":" + number(*d.atLeast);
    if (!d.determined && d.atMost)
        json += ",\"" + name + "_at_most\":" + number(*d.atMost);
    return json;
}

std::string layerJson(const tav::SoundingModel &m, std::size_t i) {
    const tav::LayeredSoil &soil = m.fit.soil;
    const auto &product = productOf(m, i);
    if (product) {
        const bool conductance = product->kind == tav::LayerProduct::Kind::Conductance;
        return std::string("{\"rho\":null,\"thickness\":null,\"") +
               (conductance ? "conductance" : "transverse_resistance") +
               "\":" + number(product->value) + ",\"at_least\":" + number(product->atLeast) +
               ",\"at_most\":" + number(product->atMost) + "}";
    }
    std::string json = "{" + parameterJson("rho", soil.resistivities[i], resistivityOf(m, i));
    if (i < soil.thicknesses.size())
        json += "," + parameterJson("thickness", soil.thicknesses[i], m.determinacy.thicknesses[i]);
    return json + "}";
}

std::string criterionJson(const tav::SoundingModel &m) {
    const std::size_t count = m.fit.soil.resistivities.size();
    if (!m.choice)
        return "{\"given\":" + std::to_string(count) + "}";
    std::string json = "{\"test\":\"F 95 %\",\"chosen\":" + std::to_string(m.choice->layers) +
                       ",\"counts\":[";
    for (std::size_t i = 0; i < m.choice->fits.size(); ++i) {
        json += (i ? "," : "") + std::string("{\"layers\":") + std::to_string(i + 1) +
                ",\"rms_percent\":" + number(m.choice->fits[i].rmsPercent);
        if (i > 0 && i - 1 < m.choice->tests.size())
            json += ",\"f\":" + number(m.choice->tests[i - 1].first) +
                    ",\"f_critical\":" + number(m.choice->tests[i - 1].second);
        json += "}";
    }
    return json + "]}";
}

std::string rowsJson(const std::vector<tav::SoundingReading> &readings,
                     const tav::SoundingModel &m) {
    std::string json = "[";
    for (std::size_t i = 0; i < readings.size(); ++i) {
        const tav::SoundingReading &r = readings[i];
        const double model = m.fit.modelled.at(i);
        json += (i ? "," : "") + std::string("{\"spacing\":") + number(r.spacing);
        if (schlumberger(readings))
            json += ",\"mn\":" + number(r.halfPotentialSpacing);
        json += ",\"measured\":" + number(r.resistivity) + ",\"model\":" + number(model) +
                ",\"error_percent\":" + number(100 * (model - r.resistivity) / r.resistivity) +
                "}";
    }
    return json + "]";
}

// What a study reads of one or two layers, as the two-layer fit writes it.
std::string twoLayerKeys(const tav::SoundingModel &m) {
    const tav::LayeredSoil &soil = m.fit.soil;
    if (soil.resistivities.size() > 2)
        return "";
    const bool layered = soil.resistivities.size() == 2;
    return "," + parameterJson("rho1", soil.resistivities[0], resistivityOf(m, 0)) + "," +
           parameterJson("rho2", soil.resistivities[layered ? 1 : 0],
                         layered ? resistivityOf(m, 1) : resistivityOf(m, 0)) +
           "," +
           (layered ? parameterJson("h", soil.thicknesses[0], m.determinacy.thicknesses[0])
                    : std::string("\"h\":null")) +
           ",\"layered\":" + (layered ? "true" : "false");
}

std::string warningJson(const tav::SoundingModel &m) {
    if (m.cautions.empty())
        return "";
    std::string text;
    for (const tav::Caution &c : m.cautions)
        text += (text.empty() ? "" : "; ") + CliStrings::wording().caution(c).toStdString();
    return ",\"warning\":" + JsonWriter::string(text);
}

} // namespace

std::string text(const std::vector<tav::SoundingReading> &readings,
                 const tav::SoundingModel &m) {
    const std::size_t count = m.fit.soil.resistivities.size();
    std::string text = "Soil of " + std::to_string(count) + (count == 1 ? " layer" : " layers") +
                       "; RMS error " + shown(m.fit.rmsPercent) + " %\n";
    text += criterionText(m) + warnings(m) + "\n" + layersTable(m) + "\n";
    return text + rowsTable(readings, m);
}

std::string json(const std::vector<tav::SoundingReading> &readings,
                 const tav::SoundingModel &m) {
    std::string json = "{\"layers\":[";
    for (std::size_t i = 0; i < m.fit.soil.resistivities.size(); ++i)
        json += (i ? "," : "") + layerJson(m, i);
    json += "],\"rms_percent\":" + number(m.fit.rmsPercent) +
            ",\"criterion\":" + criterionJson(m) + ",\"array\":\"" +
            (schlumberger(readings) ? "schlumberger" : "wenner") +
            "\",\"rows\":" + rowsJson(readings, m) + twoLayerKeys(m);
    return json + warningJson(m) + "}\n";
}

} // namespace LayersOutput
