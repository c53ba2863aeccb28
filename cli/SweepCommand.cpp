#include "cli/SweepCommand.h"

#include "cli/CalculationCommand.h"
#include "cli/DocumentInput.h"
#include "cli/JsonWriter.h"
#include "cli/TextTable.h"
#include "core/NumericText.h"
#include "document/DocumentWording.h"
#include "document/StudySweep.h"
#include "document/SystemDocument.h"
#include "report/SweepReport.h"
#include "text/StringIds.h"

#include <optional>
#include <string>

namespace {

using tav::sweep::SweepPoint;

const QString kInput = QStringLiteral("input");
const QString kVary = QStringLiteral("vary");

struct SweepInput {
    tav::SystemDocument document;
    const tav::SweepParameter *parameter = nullptr;
    tav::sweep::SweepRange range;
    QString refused; // the worded reason the document or --vary is refused for
};

QString allPaths() {
    QStringList paths;
    for (const tav::SweepParameter &p : tav::StudySweep::parameters())
        paths.append(QLatin1String(p.path));
    return paths.join(QStringLiteral(", "));
}

// "PATH=FROM:TO:STEP" into the input, or why not, in words.
void readVary(const QString &vary, SweepInput &input) {
    const qsizetype equals = vary.indexOf(QLatin1Char('='));
    const QStringList bounds = vary.mid(equals + 1).split(QLatin1Char(':'));
    if (equals <= 0 || bounds.size() != 3) {
        input.refused = CliStrings::text(StringId::Sweep::kRangeShape).arg(vary);
        return;
    }
    const QString path = vary.left(equals);
    input.parameter = tav::StudySweep::parameter(path);
    if (input.parameter == nullptr) {
        input.refused = CliStrings::text(StringId::Sweep::kUnknownPath).arg(path, allPaths());
        return;
    }
    double numbers[3] = {};
    for (int k = 0; k < 3; ++k) {
        bool ok = false;
        numbers[k] = bounds[k].trimmed().toDouble(&ok);
        if (!ok) {
            input.refused = CliStrings::text(StringId::Sweep::kNotANumber).arg(path, bounds[k]);
            return;
        }
    }
    input.range = {numbers[0], numbers[1], numbers[2]};
}

std::string shown(double value) {
    return tav::NumericText::formatReal(value, tav::NumericText::kSingleDigits);
}

std::string shown(const std::optional<double> &value) {
    return value ? shown(*value) : std::string("-");
}

std::string number(const std::optional<double> &value) {
    return value ? JsonWriter::real(*value) : std::string("null");
}

QString verdictWord(const std::optional<tav::Verdict> &verdict) {
    if (!verdict)
        return QStringLiteral("-");
    return CliStrings::text(*verdict == tav::Verdict::NoLimit
                                ? StringId::kSystemNoLimit
                                : StringId::kSystemVerdicts + unsigned(*verdict));
}

std::string safe(const std::optional<tav::Verdict> &verdict) {
    if (!verdict || *verdict == tav::Verdict::NoLimit ||
        *verdict == tav::Verdict::OutsideMethodRange)
        return "null";
    return *verdict == tav::Verdict::Safe ? "true" : "false";
}

QString reason(const tav::StudySweepResult &r, std::size_t k) {
    return DocumentWording::error(r.reasons[k], &CliStrings::text);
}

// A row's cells after the value: R, GPR, touch, its limit and margin, step, its limit and
// margin, verdict; a refused value's reason in place of them.
std::vector<std::string> cells(const SweepPoint &p, const std::string &value) {
    return {value,
            shown(p.resistance),
            shown(p.gpr),
            shown(p.touch),
            shown(p.touchTolerable),
            shown(p.touchMargin()),
            shown(p.step),
            shown(p.stepTolerable),
            shown(p.stepMargin()),
            verdictWord(p.verdict).toStdString()};
}

std::string csvCell(const std::string &text) {
    if (text.find_first_of(",\"\n") == std::string::npos)
        return text;
    std::string quoted = "\"";
    for (const char c : text)
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + "\"";
}

class Sweep : public CalculationCommand<SweepInput, tav::StudySweepResult> {
public:
    Sweep()
        : CalculationCommand(
              QStringLiteral("sweep"),
              QStringLiteral("One parameter of an earthing system study over a range, each value "
                             "a full solve of the study as tav-calc system makes it, its cases "
                             "judged together: per value the resistance, the ground potential "
                             "rise, the worst touch and step voltages against their tolerable "
                             "values, their margins and the verdict. A value the document "
                             "refuses is written as refused, with why. The man page tav-calc(1) "
                             "names the parameters.")) {}

protected:
    void addOptions(CliOptions &options) const override {
        options.addValue(kInput, QStringLiteral("FILE|-"),
                         QStringLiteral("The system's JSON document; - reads standard input. "
                                        "Required."));
        options.addValue(kVary, QStringLiteral("PATH=FROM:TO:STEP"),
                         QStringLiteral("The parameter and its range, at most %1 values: ")
                                 .arg(tav::sweep::kMostSweepPoints) +
                             allPaths() + QStringLiteral(". Required."));
    }

    SweepInput read(const CliOptions &options) const override {
        options.require(kInput);
        options.require(kVary);
        SweepInput input;
        QByteArray content;
        if (!DocumentInput::read(options.value(kInput), content, input.refused))
            return input;
        tav::DocumentError error;
        input.document = tav::SystemDocument::fromJson(content, error);
        if (error.kind != tav::DocumentError::Kind::None) {
            input.refused = DocumentWording::error(error, &CliStrings::text);
            return input;
        }
        readVary(options.value(kVary), input);
        if (input.refused.isEmpty() && !tav::StudySweep::varies(input.document, *input.parameter))
            input.refused = CliStrings::text(StringId::Sweep::kNothingToVary)
                                .arg(QLatin1String(input.parameter->path));
        return input;
    }

    QString refusedInput(const SweepInput &input) const override { return input.refused; }

    tav::Refusable<tav::StudySweepResult> calculate(const SweepInput &input) const override {
        return tav::StudySweep::run(input.document, *input.parameter, input.range);
    }

    // The range is refused at the parameter it ranges.
    QString refusal(const SweepInput &input, const tav::Refusal &refusal) const override {
        return CliStrings::text(StringId::Sweep::kRangeRefused)
            .arg(QLatin1String(input.parameter->path), CliStrings::wording().refusal(refusal));
    }

    std::string text(const tav::StudySweepResult &r) const override {
        std::vector<std::string> headings;
        for (unsigned k = 0; k < 10; ++k)
            headings.push_back(CliStrings::text(StringId::Sweep::kColumns + k).toStdString());
        TextTable table(headings);
        std::string refused;
        for (std::size_t k = 0; k < r.points.size(); ++k) {
            const SweepPoint &p = r.points[k];
            if (!p.refused) {
                table.addRow(cells(p, shown(p.value)));
                continue;
            }
            std::vector<std::string> row(10, "-");
            row[0] = shown(p.value);
            row[9] = CliStrings::text(StringId::Sweep::kRefused).toStdString();
            table.addRow(row);
            refused += shown(p.value) + ": " + reason(r, k).toStdString() + "\n";
        }
        return CliStrings::text(StringId::Sweep::kHeading).arg(r.path).toStdString() + "\n" +
               table.render() + (refused.empty() ? std::string() : "\n" + refused);
    }

    std::string json(const tav::StudySweepResult &r) const override {
        std::string out =
            "{\"parameter\": " + JsonWriter::string(r.path.toStdString()) + ", \"points\": [";
        for (std::size_t k = 0; k < r.points.size(); ++k) {
            const SweepPoint &p = r.points[k];
            out +=
                std::string(k == 0 ? "\n" : ",\n") + "  {\"value\": " + JsonWriter::real(p.value);
            if (p.refused) {
                out += ", \"refused\": " + JsonWriter::string(reason(r, k).toStdString()) + "}";
                continue;
            }
            out += ", \"resistance\": " + JsonWriter::real(p.resistance) +
                   ", \"gpr\": " + JsonWriter::real(p.gpr) + ", \"touch\": " + number(p.touch) +
                   ", \"touch_tolerable\": " + number(p.touchTolerable) +
                   ", \"touch_margin\": " + number(p.touchMargin()) +
                   ", \"step\": " + JsonWriter::real(p.step) +
                   ", \"step_tolerable\": " + number(p.stepTolerable) +
                   ", \"step_margin\": " + number(p.stepMargin()) +
                   ", \"safe\": " + safe(p.verdict) + ", \"refused\": null}";
        }
        return out + "\n]}\n";
    }

    bool writesCsv() const override { return true; }
    std::string csv(const tav::StudySweepResult &r) const override {
        std::string out = "value,resistance,gpr,touch,touch_tolerable,touch_margin,step,"
                          "step_tolerable,step_margin,safe,refused\n";
        const auto cell = [](const std::optional<double> &v) {
            return v ? JsonWriter::real(*v) : std::string();
        };
        for (std::size_t k = 0; k < r.points.size(); ++k) {
            const SweepPoint &p = r.points[k];
            out += JsonWriter::real(p.value);
            if (p.refused) {
                out += ",,,,,,,,,," + csvCell(reason(r, k).toStdString()) + "\n";
                continue;
            }
            const std::string s = safe(p.verdict);
            out += "," + JsonWriter::real(p.resistance) + "," + JsonWriter::real(p.gpr) + "," +
                   cell(p.touch) + "," + cell(p.touchTolerable) + "," + cell(p.touchMargin()) +
                   "," + JsonWriter::real(p.step) + "," + cell(p.stepTolerable) + "," +
                   cell(p.stepMargin()) + "," + (s == "null" ? std::string() : s) + ",\n";
        }
        return out;
    }

    QStringList inputFiles(const CliOptions &options) const override {
        return {options.value(kInput)};
    }
    bool writesReport() const override { return true; }
    Report report(const SweepInput &, const tav::StudySweepResult &r, const StudyHeader &header,
                  const StudyTexts &texts) const override {
        return SweepReport::report(r, header, texts);
    }
};

} // namespace

int SweepCommand::run(const QStringList &arguments) {
    return Sweep().run(arguments);
}
