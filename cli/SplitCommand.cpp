#include "cli/SplitCommand.h"

#include "cli/CalculationCommand.h"
#include "cli/DocumentInput.h"
#include "cli/NetworkText.h"
#include "core/network/NetworkSolver.h"
#include "document/DocumentWording.h"
#include "document/DuplicateKeys.h"
#include "document/NetworkJson.h"
#include "document/NetworkResultJson.h"

#include <QJsonDocument>

namespace {

const QString kInput = QStringLiteral("input");
const QString kEarthImpedance = QStringLiteral("earth-impedance");

struct SplitInput {
    tav::NetworkPart network;
    tav::network::Complex earthImpedance;
    QString refused; // the worded reason, when the network could not be read
};

// The network read as strictly as a system document's: a file that is no JSON, a key
// given twice, and every fault of the network named at its path.
tav::NetworkPart readNetwork(const QByteArray &content, tav::DocumentError &error) {
    QJsonParseError parse;
    const QJsonDocument json = QJsonDocument::fromJson(content, &parse);
    if (parse.error != QJsonParseError::NoError) {
        error.kind = tav::DocumentError::Kind::NotJson;
        error.offset = parse.offset;
        error.parseError = int(parse.error);
        return {};
    }
    if (const QString twice = tav::DuplicateKeys::firstIn(content); !twice.isEmpty()) {
        error.kind = tav::DocumentError::Kind::DuplicateKey;
        error.path = twice;
        return {};
    }
    return tav::NetworkJson::read(json.isObject() ? QJsonValue(json.object()) : QJsonValue(),
                                  QString(), std::nullopt, error);
}

class Split : public CalculationCommand<SplitInput, tav::network::NetworkResult> {
public:
    Split()
        : CalculationCommand(
              QStringLiteral("split"),
              QStringLiteral("How a phase-to-earth fault in the station shares out between the "
                             "station's electrode and the earth wires and cable sheaths of the "
                             "lines and cables that leave it: the current into the earth I_E, "
                             "the split factor Sf = I_E / 3I0, and per line or cable its "
                             "reduction factor, chain impedance, return current, first towers "
                             "and remote station's rise. The network is the object a system "
                             "document holds as network; the man page tav-calc(1) describes "
                             "it.")) {}

protected:
    void addOptions(CliOptions &options) const override {
        options.addValue(kInput, QStringLiteral("FILE|-"),
                         QStringLiteral("The network's JSON; - reads standard input. Required."));
        options.addValue(kEarthImpedance, QStringLiteral("R[,X]"),
                         QStringLiteral("The station's earth impedance Z_E in ohm, its "
                                        "resistance and, after a comma, its reactance "
                                        "(default 0). Required."));
    }

    SplitInput read(const CliOptions &options) const override {
        options.require(kInput);
        options.require(kEarthImpedance);
        const std::vector<double> z = options.numbers<double>(kEarthImpedance);
        if (z.empty() || z.size() > 2)
            throw UsageError("--earth-impedance takes R or R,X in ohm");
        SplitInput input;
        input.earthImpedance = {z[0], z.size() > 1 ? z[1] : 0};
        QByteArray content;
        if (!DocumentInput::read(options.value(kInput), content, input.refused))
            return input;
        tav::DocumentError error;
        input.network = readNetwork(content, error);
        if (error.kind != tav::DocumentError::Kind::None)
            input.refused = DocumentWording::error(error, &CliStrings::text);
        return input;
    }

    QString refusedInput(const SplitInput &input) const override { return input.refused; }

    tav::Refusable<tav::network::NetworkResult> calculate(const SplitInput &input) const override {
        return tav::network::NetworkSolver::solve(input.network.model, input.earthImpedance);
    }

    std::string text(const tav::network::NetworkResult &r) const override {
        return NetworkText::text(r);
    }
    std::string json(const tav::network::NetworkResult &r) const override {
        return tav::NetworkResultJson::write(r).toStdString() + "\n";
    }
    QStringList inputFiles(const CliOptions &options) const override {
        return {options.value(kInput)};
    }
};

} // namespace

int SplitCommand::run(const QStringList &arguments) {
    return Split().run(arguments);
}
