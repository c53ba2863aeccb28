#include "cli/SoundingOptions.h"

#include "cli/CliStrings.h"
#include "cli/DocumentInput.h"
#include "core/soilmodel/ReadingsCsv.h"
#include "core/soilmodel/SoundingModel.h"

#include <cmath>
#include <string>

namespace SoundingOptions {

namespace {

const QString kLayers = QStringLiteral("layers");
const QString kArray = QStringLiteral("array");
const QString kMn = QStringLiteral("mn");
const QString kReadings = QStringLiteral("readings");

// A count outside 1..5 is the fit's to refuse, with its words: a number is all this asks.
std::optional<int> layersOf(const CliOptions &options) {
    const QString value = options.value(kLayers);
    if (value == QLatin1String("auto"))
        return std::nullopt;
    return CliOptions::parse<int>(kLayers, value);
}

tav::SoundingArray arrayOf(const CliOptions &options) {
    const QString value = options.isSet(kArray) ? options.value(kArray) : QStringLiteral("wenner");
    if (value == QLatin1String("wenner"))
        return tav::SoundingArray::Wenner;
    if (value == QLatin1String("schlumberger"))
        return tav::SoundingArray::Schlumberger;
    throw UsageError("--array: wenner or schlumberger, not " + value.toStdString());
}

// MN/2 for each reading: one value for all, or one per reading.
std::vector<double> halfPotentialSpacings(const CliOptions &options, std::size_t readings) {
    const std::vector<double> mn = options.numbers<double>(kMn);
    if (mn.size() == 1)
        return std::vector<double>(readings, mn.front());
    if (mn.size() != readings)
        throw UsageError("--mn has " + std::to_string(mn.size()) + " values for " +
                         std::to_string(readings) +
                         " readings: give one for all or one per reading");
    return mn;
}

} // namespace

void add(CliOptions &options) {
    options.addValue(kLayers, QStringLiteral("N|auto"),
                     QStringLiteral("Fit N horizontal layers (1 to 5), or auto: the fewest "
                                    "of 1 to 4 the readings support by the F test at 95 %. "
                                    "Without it, a uniform soil or two layers as before."));
    options.addValue(kArray, QStringLiteral("wenner|schlumberger"),
                     QStringLiteral("The electrode array (default wenner). For schlumberger "
                                    "the spacings are AB/2."));
    options.addValue(kMn, QStringLiteral("M|M1,M2,..."),
                     QStringLiteral("Schlumberger MN/2 in metres: one value for every reading, "
                                    "or one per reading."));
    options.addValue(kReadings, QStringLiteral("FILE"),
                     QStringLiteral("Readings from a CSV file: spacing and apparent "
                                    "resistivity (or resistance, when the header's second "
                                    "column says so) a line, comma, semicolon or tab "
                                    "separated, a decimal comma allowed with the latter two."));
}

bool givesReadingsFile(const CliOptions &options) {
    return options.isSet(kReadings);
}

QString readingsFile(const CliOptions &options) {
    return options.value(kReadings);
}

bool wantsLayers(const CliOptions &options) {
    return options.isSet(kLayers) || options.isSet(kArray) || options.isSet(kMn);
}

Sounding read(const CliOptions &options, std::vector<double> spacings,
              std::vector<double> values, bool resistances) {
    Sounding sounding;
    sounding.twoLayerChoice = !options.isSet(kLayers);
    if (options.isSet(kLayers))
        sounding.layers = layersOf(options);
    const tav::SoundingArray array = arrayOf(options);
    const bool schlumberger = array == tav::SoundingArray::Schlumberger;
    if (schlumberger != options.isSet(kMn))
        throw UsageError(schlumberger ? "--array schlumberger needs --mn, its MN/2"
                                      : "--mn goes with --array schlumberger");
    // Schlumberger without --layers: today's choice, between one layer and two.
    if (schlumberger && sounding.twoLayerChoice) {
        sounding.twoLayerChoice = false;
        sounding.most = 2;
    }
    if (givesReadingsFile(options)) {
        QByteArray content;
        QString reason;
        if (!DocumentInput::read(readingsFile(options), content, reason,
                                 DocumentInput::Kind::Readings)) {
            sounding.refused = reason;
            return sounding;
        }
        const tav::Refusable<tav::CsvReadings> csv = tav::readCsvReadings(content.toStdString());
        if (csv.refused()) {
            sounding.refused = readingsFile(options) + QStringLiteral(": ") +
                               CliStrings::wording().refusal(csv.refusal());
            return sounding;
        }
        spacings = csv.result().spacings;
        values = csv.result().values;
        resistances = csv.result().resistances;
    }
    const std::vector<double> mn =
        schlumberger ? halfPotentialSpacings(options, spacings.size()) : std::vector<double>();
    for (std::size_t i = 0; i < spacings.size(); ++i) {
        tav::SoundingReading r{array, spacings[i], schlumberger ? mn[i] : 0, values[i]};
        // An MN/2 of no length, or not below its AB/2, gives no factor: the fit refuses the
        // reading for it, in its own words.
        const bool factor =
            !schlumberger || (std::isfinite(r.halfPotentialSpacing) && r.halfPotentialSpacing > 0 &&
                              r.halfPotentialSpacing < r.spacing);
        if (resistances && factor) {
            // rho = K R: Wenner 2 pi a; Schlumberger pi (L^2 - l^2) / (2 l).
            const double k = schlumberger ? M_PI * (r.spacing * r.spacing -
                                                    r.halfPotentialSpacing *
                                                        r.halfPotentialSpacing) /
                                                (2 * r.halfPotentialSpacing)
                                          : 2 * M_PI * r.spacing;
            r.resistivity = k * values[i];
        }
        sounding.readings.push_back(r);
    }
    return sounding;
}

} // namespace SoundingOptions
