#include "cli/DesignCommand.h"

#include "cli/CalculationCommand.h"
#include "cli/CommandLine.h"
#include "cli/DesignStages.h"
#include "cli/DocumentInput.h"
#include "core/AtomicFileWriter.h"
#include "document/DesignStudy.h"
#include "document/DocumentWording.h"
#include "document/ResultJson.h"
#include "report/DesignSummary.h"
#include "text/StringIds.h"

#include <QByteArray>
#include <QDir>
#include <QFile>

#include <cstdio>
#include <string>

namespace {

using tav::DesignResult;
using tav::design::Candidate;
using tav::design::Judgement;
using tav::design::Layout;

const QString kInput = QStringLiteral("input");
const QString kOutput = QStringLiteral("output");
const QString kEmit = QStringLiteral("emit");
const QString kCollect = QStringLiteral("collect");
const QString kStage = QStringLiteral("stage");

struct DesignInput {
    tav::SystemDocument document;
    QString refused;
    QString output; // where the best layout's document goes; empty: nowhere
    QString folder; // --emit's or --collect's; empty: every layout solved here
    bool collect = false;
    int stage = 16;
};

// The design, or the documents of the stage still to be solved elsewhere.
struct DesignAnswer {
    DesignResult design;
    QStringList pending;
};

QByteArray number(double value) {
    return tav::ResultJson::jsonNumber(value);
}

QByteArray pair(const char *key, const QByteArray &value) {
    return tav::ResultJson::jsonPair(key, value);
}

QByteArray margin(const std::optional<double> &share) {
    return share ? number(1 - *share) : QByteArray("null");
}

QByteArray candidateJson(const Candidate &c, const tav::design::DesignBrief &brief) {
    const Layout &l = c.layout;
    const Judgement &j = *c.judgement;
    const QByteArray length =
        l.rodLength >= 0 ? number(brief.rodLengths[std::size_t(l.rodLength)]) : "null";
    return "{" + pair("cost", number(c.cost.total)) + ", " +
           pair("worst_touch_margin", margin(j.touchShare)) + ", " +
           pair("worst_step_margin", margin(j.stepShare)) + ", " +
           pair("safe", j.safe ? "true" : "false") + ", " +
           pair("lines_x", QByteArray::number(l.linesX)) + ", " +
           pair("lines_y", QByteArray::number(l.linesY)) + ", " +
           pair("compressed_x", l.compressX ? "true" : "false") + ", " +
           pair("compressed_y", l.compressY ? "true" : "false") + ", " +
           pair("rods", QByteArray::number(l.rods)) + ", " + pair("rod_length", length) + ", " +
           pair("surface", l.surface ? "true" : "false") + ", " +
           pair("conductor_length", number(c.cost.conductorMetres)) + ", " +
           pair("rod_metres", number(c.cost.rodMetres)) + ", " +
           pair("surface_area", number(c.cost.surfaceArea)) + "}";
}

// The words of tav-calc, the compiled-in string table.
const StudyTexts &texts() {
    static const StudyTexts words(&CliStrings::text);
    return words;
}

class DesignSearchCommand : public CalculationCommand<DesignInput, DesignAnswer> {
public:
    DesignSearchCommand()
        : CalculationCommand(
              QStringLiteral("design"),
              QStringLiteral("The layout of least cost inside the document's design outline "
                             "that passes every case's touch and step, each layout solved "
                             "in full.")) {}

protected:
    void addOptions(CliOptions &options) const override {
        options.addValue(kInput, QStringLiteral("DOC"),
                         QStringLiteral("The system's JSON document with its \"design\"; - "
                                        "reads standard input. Required."));
        options.addValue(kOutput, QStringLiteral("BEST.json"),
                         QStringLiteral("Write the best layout as a system document."));
        options.addValue(kEmit, QStringLiteral("DIR"),
                         QStringLiteral("Solve nothing here: write the first stage's layouts "
                                        "into DIR as documents (layout-NNNNN.json), for "
                                        "tav-calc system --format json to solve elsewhere "
                                        "into layout-NNNNN.result.json."));
        options.addValue(kCollect, QStringLiteral("DIR"),
                         QStringLiteral("Read the results in DIR back and go on: the design, "
                                        "or the next stage's layouts written into DIR."));
        options.addValue(kStage, QStringLiteral("N"),
                         QStringLiteral("Layouts in a stage with --emit or --collect (16)."));
    }

    DesignInput read(const CliOptions &options) const override {
        options.require(kInput);
        DesignInput input;
        input.output = options.value(kOutput);
        if (options.isSet(kOutput) && input.output.isEmpty())
            throw UsageError("--output takes the document's file name");
        if (options.isSet(kEmit) && options.isSet(kCollect))
            throw UsageError("--emit starts a design and --collect goes on with one: give one");
        input.collect = options.isSet(kCollect);
        input.folder = options.value(input.collect ? kCollect : kEmit);
        if ((options.isSet(kEmit) || input.collect) && input.folder.isEmpty())
            throw UsageError("--emit and --collect take a folder");
        input.stage = options.number<int>(kStage, input.stage);
        if (input.stage < 1 || input.stage > 10000)
            throw UsageError("--stage takes a count from 1 to 10000");
        QByteArray content;
        if (!DocumentInput::read(options.value(kInput), content, input.refused))
            return input;
        tav::DocumentError error;
        input.document = tav::SystemDocument::fromJson(content, error);
        if (error.kind != tav::DocumentError::Kind::None)
            input.refused = DocumentWording::error(error, &CliStrings::text);
        else if (!input.document.design)
            input.refused = CliStrings::text(StringId::Design::kNoDesign);
        else if (!input.document.safety)
            input.refused = CliStrings::text(StringId::Design::kNoCriteria);
        return input;
    }

    QString refusedInput(const DesignInput &input) const override { return input.refused; }

    tav::Refusable<DesignAnswer> calculate(const DesignInput &input) const override {
        if (input.folder.isEmpty()) {
            const tav::Refusable<DesignResult> r = tav::DesignStudy::run(input.document);
            if (r.refused())
                return r.refusal();
            return DesignAnswer{r.result(), {}};
        }
        if (!QDir().mkpath(input.folder)) {
            m_stopped = CliStrings::text(StringId::Design::kNotWritten).arg(input.folder);
            return tav::Refusal{tav::Error::Cancelled, tav::Quantity::None, {}};
        }
        if (!input.collect) // a fresh start: nothing of an earlier design read back
            for (const QString &old :
                 QDir(input.folder).entryList({QStringLiteral("layout-*.json")}))
                QFile::remove(QDir(input.folder).filePath(old));
        const DesignStages stages(input.document,
                                  tav::design::DesignLayout::bounds(
                                      *input.document.design,
                                      input.document.design->prices.surfacePerM2 &&
                                          input.document.safety && input.document.safety->surface),
                                  input.folder);
        tav::DesignStudy::Options options;
        options.stageSize = input.stage;
        options.evaluate = [&](const std::vector<Layout> &layouts,
                               const tav::earthing::ProgressCallback &) { return stages(layouts); };
        try {
            const tav::Refusable<DesignResult> r =
                tav::DesignStudy::run(input.document, {}, options);
            if (r.refused())
                return r.refusal();
            return DesignAnswer{r.result(), {}};
        } catch (const DesignStages::Pending &pending) {
            return DesignAnswer{{}, pending.documents};
        } catch (const DesignStages::Unreadable &why) {
            m_stopped = QString::fromStdString(why.what());
            return tav::Refusal{tav::Error::Cancelled, tav::Quantity::None, {}};
        }
    }

    QString refusal(const DesignInput &, const tav::Refusal &refusal) const override {
        return m_stopped.isEmpty() ? CliStrings::wording().refusal(refusal) : m_stopped;
    }

    std::string text(const DesignAnswer &a) const override {
        if (!a.pending.isEmpty())
            return CliStrings::text(StringId::Design::kPending)
                       .arg(a.pending.size())
                       .toStdString() +
                   "\n" + a.pending.join(QLatin1Char('\n')).toStdString() + "\n";
        return (DesignSummary::lines(a.design, texts()).join(QLatin1Char('\n')) + "\n")
            .toStdString();
    }

    std::string json(const DesignAnswer &a) const override {
        if (!a.pending.isEmpty()) {
            QByteArray files;
            for (qsizetype k = 0; k < a.pending.size(); ++k)
                files += QByteArray(k ? ", " : "") +
                         tav::ResultJson::jsonText(a.pending[k].toStdString());
            return ("{" + pair("pending", "[" + files + "]") + "}\n").toStdString();
        }
        const DesignResult &r = a.design;
        const tav::design::DesignOutcome &o = r.outcome;
        QByteArray candidates;
        for (std::size_t k = 0; k < o.solved.size(); ++k)
            candidates += QByteArray(k ? ",\n  " : "") + candidateJson(o.solved[k], r.brief);
        QByteArray words;
        const QStringList limit = DesignSummary::limits(r, texts());
        for (qsizetype k = 0; k < limit.size(); ++k)
            words += QByteArray(k ? ", " : "") + tav::ResultJson::jsonText(limit[k].toStdString());
        QByteArray document = r.document.toJson();
        document.chop(1); // the closing newline
        const QByteArray out = "{" + pair("safe", o.safe ? "true" : "false") + ",\n " +
                               pair("cost", number(o.best.cost.total)) + ",\n " +
                               pair("document", document) + ",\n " +
                               pair("candidates", "[" + candidates + "]") + ",\n " +
                               pair("solves", QByteArray::number(o.solves)) + ",\n " +
                               pair("family", QByteArray::number(qulonglong(o.familySize))) +
                               ",\n " + pair("skipped", QByteArray::number(qulonglong(o.pruned))) +
                               ",\n " + pair("limits", "[" + words + "]") + "}\n";
        return out.toStdString();
    }

    QStringList inputFiles(const CliOptions &options) const override {
        return {options.value(kInput)};
    }

    int writeFiles(const DesignInput &input, const DesignAnswer &a) const override {
        const DesignResult &r = a.design;
        if (input.output.isEmpty() || !a.pending.isEmpty())
            return 0;
        const tav::SiteWriteResult written = tav::writeFileAtomically(
            CommandLine::bytes(input.output).toStdString(), r.document.toJson().toStdString());
        if (written.status == tav::SiteWriteStatus::Success)
            return 0;
        std::fprintf(stderr, "tav-calc: %s\n",
                     qPrintable(CliStrings::text(StringId::Design::kNotWritten).arg(input.output)));
        return 1;
    }

    int status(const DesignAnswer &a) const override {
        return !a.pending.isEmpty() || a.design.outcome.safe ? 0 : 1;
    }

private:
    // Why a design over a folder stopped: a result unreadable, the folder not made.
    mutable QString m_stopped;
};

} // namespace

int DesignCommand::run(const QStringList &arguments) {
    return DesignSearchCommand().run(arguments);
}
