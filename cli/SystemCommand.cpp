#include "cli/SystemCommand.h"

#include "cad/DxfWriter.h"
#include "cli/CalculationCommand.h"
#include "cli/CasesText.h"
#include "cli/CommandLine.h"
#include "cli/DocumentInput.h"
#include "cli/NetworkText.h"
#include "cli/TextTable.h"
#include "core/AtomicFileWriter.h"
#include "core/NumericText.h"
#include "core/earthing/EarthingSolver.h"
#include "core/earthing/SystemSafety.h"
#include "document/CaseStudy.h"
#include "document/CasesJson.h"
#include "document/DesignRecordJson.h"
#include "document/DesignStudy.h"
#include "document/DocumentWording.h"
#include "document/NetworkResultJson.h"
#include "document/PartLeakage.h"
#include "document/ResultJson.h"
#include "document/SystemDocument.h"
#include "document/SystemStudy.h"
#include "report/DxfExport.h"
#include "report/SystemReport.h"
#include "text/StringIds.h"

#include <QByteArray>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cmath>
#include <cstdio>
#include <optional>
#include <string>

namespace {

using tav::earthing::EarthingResult;
using tav::earthing::SystemSafety;

const QString kInput = QStringLiteral("input");
const QString kExpand = QStringLiteral("expand");
const QString kDxf = QStringLiteral("dxf");
const QString kPdf = QStringLiteral("pdf");
const QString kSite = QStringLiteral("site");
const QString kAllMaps = QStringLiteral("all-maps");

struct SystemInput {
    tav::SystemDocument document;
    QString refused; // the worded reason, when the document could not be read
    bool expand = false;
    QString dxf; // the drawing to write after the solve; empty: none
    SystemReport::Options report;
};

std::string shownCost(double value) {
    return tav::NumericText::formatReal(value, tav::NumericText::kSingleDigits);
}

// The study evaluated, or with --expand the document expanded into conductors.
struct SystemOutcome {
    tav::SystemEvaluation evaluation;
    std::string expanded;
    std::optional<tav::SafetyCriteria> criteria; // the document's, when it has any
    tav::SystemLeakage leakage;
    // A study of cases: every case and the envelope; evaluation is the governing case's.
    std::optional<tav::StudyEvaluation> study;
    // How tav-calc design found the layout, when the document keeps it.
    std::optional<tav::design::DesignRecord> designed;
    tav::DesignStudy::Edited edited;
};

// A designed study in a line, and a second when its layout was edited since.
std::string designedText(const tav::design::DesignRecord &r,
                         const tav::DesignStudy::Edited &edited) {
    namespace Ids = StringId::DesignRecord;
    std::string text = CliStrings::text(r.safe ? Ids::kSystemLine : Ids::kSystemLineFailing)
                           .arg(QString::fromStdString(shownCost(r.cost)))
                           .arg(r.solves)
                           .arg(r.runnerUps.size())
                           .toStdString() +
                       "\n";
    if (edited.edited)
        text += (edited.cost ? CliStrings::text(Ids::kChanged)
                                   .arg(QString::fromStdString(shownCost(*edited.cost)),
                                        QString::fromStdString(shownCost(r.cost)))
                             : CliStrings::text(Ids::kChangedUnpriced))
                    .toStdString() +
                "\n";
    return text;
}

// The result's JSON with the record of the design after its other members.
QByteArray withDesigned(const QByteArray &result,
                        const std::optional<tav::design::DesignRecord> &r) {
    const qsizetype end = result.lastIndexOf('}');
    if (!r || end < 0)
        return result;
    const QByteArray record =
        QJsonDocument(tav::DesignRecordJson::write(*r)).toJson(QJsonDocument::Compact);
    return result.left(end) + ",\n \"designed\": " + record + "}\n";
}

// The document as the solver takes it: the shapes expanded into conductors, each naming
// the part it came from ("grids[0].rods"), and every touch area written out, the shapes'
// among them (an L's outline with its cut, a fence's band), which conductors given one by
// one would not give again; the rest as read.
std::string expandedDocument(const tav::SystemDocument &document) {
    const tav::earthing::EarthingInput input = document.input();
    tav::SystemDocument flat = document;
    flat.conductors = input.conductors;
    flat.touchAreas = input.touchAreas;
    flat.shapesGiveTouchAreas = false;
    flat.grids.clear();
    flat.rods.clear();
    flat.lGrids.clear();
    flat.rings.clear();
    flat.fences.clear();
    flat.drawings.clear();
    QJsonObject o = QJsonDocument::fromJson(flat.toJson()).object();
    QJsonArray conductors = o.value(QStringLiteral("conductors")).toArray();
    const std::vector<tav::ConductorSource> sources = document.sources();
    for (qsizetype k = 0; k < conductors.size(); ++k) {
        QJsonObject c = conductors[k].toObject();
        c[QStringLiteral("part")] = sources[std::size_t(k)].path();
        conductors[k] = c;
    }
    o[QStringLiteral("conductors")] = conductors;
    return QJsonDocument(o).toJson(QJsonDocument::Indented).toStdString();
}

std::string shown(double value) {
    return tav::NumericText::formatReal(value, tav::NumericText::kSingleDigits);
}

// To the millimetre, however large: site coordinates run to millions of metres.
std::string coordinate(double value) {
    return tav::NumericText::formatReal(std::round(value * 1000) / 1000,
                                        tav::NumericText::kDoubleDigits);
}

std::string at(const tav::earthing::Point2 &p) {
    return "(" + coordinate(p.x) + ", " + coordinate(p.y) + ")";
}

QString verdictWord(tav::Verdict verdict) {
    return CliStrings::text(verdict == tav::Verdict::NoLimit
                                ? StringId::kSystemNoLimit
                                : StringId::kSystemVerdicts + unsigned(verdict));
}

std::string verdictText(unsigned id, double tolerable, double worst, tav::Verdict verdict) {
    return CliStrings::text(id)
               .arg(QString::fromStdString(shown(tolerable)), QString::fromStdString(shown(worst)),
                    verdictWord(verdict))
               .toStdString() +
           "\n";
}

QString q(const std::string &text) {
    return QString::fromStdString(text);
}

// Where a place stands: on the surface layer or off it, or, in a study without one (or
// without criteria, which would lay it), neither.
QString side(const SystemSafety *s, bool onLayer) {
    if (s == nullptr || !s->surfaceLayer)
        return CliStrings::text(StringId::SurfaceLayer::kNone);
    return CliStrings::text(onLayer ? StringId::kSystemOnLayer : StringId::kSystemOffLayer);
}

// "; tolerable 123 V: safe" of a place judged, nothing without criteria.
QString judgement(const tav::earthing::JudgedVoltage *judged) {
    if (judged == nullptr)
        return QString();
    return CliStrings::text(StringId::kSystemTolerable)
        .arg(judged->verdict == tav::Verdict::NoLimit ? QStringLiteral("-")
                                                      : q(shown(judged->tolerable)),
             verdictWord(judged->verdict));
}

// A line per touch area and touch point: the worst touch there (with criteria, the side
// nearest its limit) and, with criteria, its tolerable voltage and verdict.
std::string placesText(const EarthingResult &r, const SystemSafety *s) {
    std::string text;
    for (std::size_t k = 0; k < r.touchAreas.size() && k < r.areas.size(); ++k) {
        const tav::earthing::TouchArea &a = r.touchAreas[k];
        const tav::earthing::JudgedVoltage *j = s && k < s->areas.size() ? &s->areas[k] : nullptr;
        const tav::earthing::TouchMaximum &worst = r.areas[k].worst();
        const double voltage = j ? j->voltage : worst.voltage;
        const tav::earthing::Point2 place = j ? j->at : worst.at;
        const bool onLayer = j ? j->onLayer : &worst == &r.areas[k].onLayer;
        const QString kind = CliStrings::text(StringId::kSystemAreaKinds + unsigned(a.kind));
        text +=
            (CliStrings::text(StringId::kSystemTouchArea)
                 .arg(QString::number(k + 1), kind, QString::number(a.part),
                      QString::number(a.group), q(shown(voltage)), q(at(place)), side(s, onLayer)) +
             judgement(j))
                .toStdString() +
            "\n";
    }
    for (std::size_t k = 0; k < r.touchPoints.size() && k < r.touched.size(); ++k) {
        const tav::earthing::TouchPoint &p = r.touchPoints[k];
        const tav::earthing::TouchPointResult &t = r.touched[k];
        const tav::earthing::JudgedVoltage *j = s && k < s->points.size() ? &s->points[k] : nullptr;
        const QString name = p.name.empty() ? QString::number(k + 1) : q(p.name);
        text += (CliStrings::text(StringId::kSystemTouchPoint)
                     .arg(name, QString::number(p.group), q(at(p.at)), q(shown(t.touch)),
                          q(shown(t.surface)), side(s, j ? j->onLayer : t.onLayer)) +
                 judgement(j))
                    .toStdString() +
                "\n";
    }
    return text;
}

std::string safetyText(const tav::SafetyCriteria &c, const SystemSafety &s) {
    std::string text =
        CliStrings::text(StringId::kSystemCriteria)
            .arg(CliStrings::text(StringId::kSystemCriteriaNames + unsigned(c.criteria)))
            .toStdString() +
        "\n";
    if (s.touch)
        text += verdictText(StringId::kSystemTouchVerdict, s.touch->tolerable, s.touch->voltage,
                            s.touch->verdict);
    if (s.step.verdict == tav::Verdict::NoLimit)
        text += CliStrings::text(StringId::kSystemStepNoLimit)
                    .arg(q(shown(s.step.voltage)))
                    .toStdString() +
                "\n";
    else
        text += verdictText(StringId::kSystemStepVerdict, s.step.tolerable, s.step.voltage,
                            s.step.verdict);
    if (s.steps.size() > 1)
        for (const tav::earthing::JudgedVoltage &step : s.steps)
            if (step.verdict != tav::Verdict::NoLimit)
                text +=
                    CliStrings::text(StringId::kSystemStepSide)
                        .arg(CliStrings::text(StringId::kSystemStepSides + (step.onLayer ? 0 : 1)),
                             q(shown(step.voltage)), q(at(step.at)), q(shown(step.tolerable)),
                             verdictWord(step.verdict))
                        .toStdString() +
                    "\n";
    text +=
        CliStrings::text(StringId::kSystemOverall).arg(verdictWord(s.overall)).toStdString() + "\n";
    for (const tav::Caution &caution : s.onLayer.cautions)
        text += "Caution: " + CliStrings::wording().caution(caution).toStdString() + "\n";
    return text;
}

// A row per part: the current it leaks, its share of the injected current, its length and
// the current per metre.
std::string leakageText(const tav::SystemLeakage &leakage) {
    std::vector<std::string> columns;
    for (unsigned k = 0; k < 6; ++k)
        columns.push_back(CliStrings::text(StringId::kLeakageColumns + k).toStdString());
    TextTable table(columns, TextTable::FirstColumn::Label);
    for (const tav::PartLeakageRow &row : leakage.parts)
        table.addRow({tav::SystemLeakage::name(row, &CliStrings::text).toStdString(),
                      std::to_string(row.group), shown(row.current), shown(100 * row.share),
                      shown(row.length), shown(row.density())});
    return CliStrings::text(StringId::kLeakageHeading).toStdString() + "\n" + table.render();
}

// The current group 0 took to earth: the document's, or with a network Df |I_E|.
double injected(const EarthingResult &r) {
    return r.groups.empty() ? 0 : r.groups[0].current;
}

std::string resultText(const EarthingResult &r, const SystemSafety *s) {
    std::string text = CliStrings::text(StringId::SystemReport::kResistance).toStdString() + ": " +
                       shown(r.resistance) + " ohm\n";
    text += "Ground potential rise (group 0): " + shown(r.gpr) + " V\n";
    text += "Segments: " + std::to_string(r.segments) +
            ", image terms: " + std::to_string(r.imageTerms) + "\n";
    const tav::earthing::SolveStatistics &stats = r.statistics;
    const std::string megabytes = shown(double(stats.operatorBytes) / 1e6) + " MB";
    text += stats.compressed ? "Coupling matrix: compressed, " + megabytes + ", blocks to " +
                                   shown(stats.compressionTolerance) + "\n\n"
                             : "Coupling matrix: dense, " + megabytes + "\n\n";
    TextTable groups({"Group", "Potential [V]", "Current [A]"});
    for (const tav::earthing::GroupResult &g : r.groups)
        groups.addRow({std::to_string(g.group), shown(g.potential), shown(g.current)});
    text += groups.render();
    if (!r.points.empty()) {
        TextTable points({"x [m]", "y [m]", "Potential [V]", "Touch [V]", "In touch area"});
        for (const tav::earthing::PointResult &p : r.points)
            points.addRow({coordinate(p.at.x), coordinate(p.at.y), shown(p.potential),
                           shown(p.touch), p.inTouchArea ? "yes" : "no"});
        text += "\n" + points.render();
    }
    if (r.touchMax)
        text += "\nWorst touch voltage: " + shown(r.touchMax->voltage) + " V at " +
                at(r.touchMax->at) + " m\n";
    else
        text += "\n" + CliStrings::text(StringId::kSystemNoTouchArea).toStdString() + "\n";
    text += "Worst step voltage: " + shown(r.stepMax.voltage) + " V from " + at(r.stepMax.from) +
            " m to " + at(r.stepMax.to) + " m\n";
    text += placesText(r, s);
    for (const tav::Caution &caution : r.cautions)
        text += "Caution: " + CliStrings::wording().caution(caution).toStdString() + "\n";
    return text;
}

// The file the drawing would be written to is never one the study is read from, nor the
// report: compared as files (device and inode, through links and whatever the spelling),
// and where neither exists yet by folder and name, as --pdf is.
void refuseClashingDrawing(const CliOptions &options, const QString &input) {
    const auto local = [](const QString &argument) {
        return argument == QLatin1String("-") ? std::string("/dev/stdin")
                                              : CommandLine::bytes(argument).toStdString();
    };
    const std::string drawing = local(options.value(kDxf));
    for (const QString &read : {input, options.value(kSite)})
        if (!read.isEmpty() && tav::isSameTarget(drawing, local(read)))
            throw UsageError("--dxf would write over " + read.toStdString() +
                             ", which the study is read from: name another file");
    if (options.isSet(kPdf) && tav::isSameTarget(drawing, local(options.value(kPdf))))
        throw UsageError("--dxf and --pdf name one file: the drawing would replace the report");
}

class SystemSolve : public CalculationCommand<SystemInput, SystemOutcome> {
public:
    SystemSolve()
        : CalculationCommand(
              QStringLiteral("system"),
              QStringLiteral("An earthing system of straight conductors (grids, rods, floating "
                             "metal) in uniform soil or soil of two to five layers, read as a JSON "
                             "document and "
                             "solved by the moment method: the resistance, the potential and "
                             "current of each group of metal, the surface potential at the "
                             "given points, the worst touch and step voltages, and with the "
                             "document's safety criteria the tolerable ones and whether the "
                             "system passes. The man "
                             "page tav-calc(1) describes the document.")) {}

protected:
    void addOptions(CliOptions &options) const override {
        options.addValue(kInput, QStringLiteral("FILE|-"),
                         QStringLiteral("The system's JSON document; - reads standard input. "
                                        "Required."));
        options.addFlag(kExpand, QStringLiteral("Write the document with every grid, rod, ring "
                                                "and fence expanded into the conductors the "
                                                "solver takes, as JSON, instead of solving it."));
        options.addValue(kDxf, QStringLiteral("OUT.dxf"),
                         QStringLiteral("After the solve, write the system and its maps as a "
                                        "DXF drawing at the document's site_origin: a layer per "
                                        "part, the touch areas, the worst touch and step, and "
                                        "the isolines of the surface potential and touch "
                                        "voltage."));
        options.addFlag(kAllMaps, QStringLiteral("With --pdf, a study of cases shows every "
                                                 "case's maps, each headed with its name, "
                                                 "rather than the governing case's alone."));
    }

    SystemInput read(const CliOptions &options) const override {
        options.require(kInput);
        const QString path = options.value(kInput);
        SystemInput system;
        system.expand = options.isSet(kExpand);
        if (system.expand && ReportOutput::wanted(options))
            throw UsageError("--expand writes no report: leave out --pdf");
        if (system.expand && options.isSet(kDxf))
            throw UsageError("--expand writes no drawing: leave out --dxf");
        if (options.isSet(kDxf) && options.value(kDxf).isEmpty())
            throw UsageError("--dxf takes the drawing's file name");
        if (options.isSet(kDxf))
            refuseClashingDrawing(options, path);
        system.dxf = options.value(kDxf);
        system.report.allMaps = options.isSet(kAllMaps);
        if (system.report.allMaps && !options.isSet(kPdf))
            throw UsageError("--all-maps is for the report: give --pdf");
        QByteArray content;
        if (!DocumentInput::read(path, content, system.refused))
            return system;
        tav::DocumentError error;
        const tav::SystemDocument document = tav::SystemDocument::fromJson(content, error);
        if (error.kind != tav::DocumentError::Kind::None) {
            system.refused = DocumentWording::error(error, &CliStrings::text);
        } else {
            // A part that would expand past the solver's limit is refused by its path
            // before anything is expanded, --expand too.
            const tav::SystemDocument::Expansion expansion = document.expanded();
            if (expansion.input.refused())
                system.refused = expansion.refusedPart + QLatin1String(": ") +
                                 CliStrings::wording().refusal(expansion.input.refusal());
        }
        system.document = document;
        return system;
    }

    QString refusedInput(const SystemInput &input) const override { return input.refused; }

    // A conductor the solver refuses is known by its number among the expanded conductors;
    // the engineer knows it by the part and row it came from: "drawings[0].conductors[3]".
    QString refusal(const SystemInput &input, const tav::Refusal &refusal) const override {
        const QString words = CliStrings::wording().refusal(refusal);
        if (!tav::namesConductor(refusal.error) || refusal.values.empty())
            return words;
        const std::vector<tav::ConductorSource> sources = input.document.sources();
        QStringList named;
        const std::size_t count = tav::namesConductorPair(refusal.error) ? 2 : 1;
        for (std::size_t k = 0; k < count && k < refusal.values.size(); ++k) {
            const double number = refusal.values[k]; // from 1
            if (number >= 1 && number <= double(sources.size()))
                named.append(sources[std::size_t(number) - 1].path());
        }
        return named.isEmpty() ? words
                               : named.join(QStringLiteral(", ")) + QStringLiteral(": ") + words;
    }

    tav::Refusable<SystemOutcome> calculate(const SystemInput &input) const override {
        if (input.expand)
            return SystemOutcome{{}, expandedDocument(input.document), std::nullopt, {}, {}, {},
                                 {}};
        tav::Refusable<SystemOutcome> outcome = solved(input.document);
        if (!outcome.refused() && input.document.designed) {
            SystemOutcome o = outcome.result();
            o.designed = input.document.designed;
            o.edited = tav::DesignStudy::edited(input.document);
            return o;
        }
        return outcome;
    }

    static tav::Refusable<SystemOutcome> solved(const tav::SystemDocument &document) {
        if (!document.cases.empty())
            return cases(document);
        const tav::Refusable<tav::SystemEvaluation> evaluated =
            tav::SystemStudy::evaluate(document);
        if (evaluated.refused())
            return evaluated.refusal();
        // Criteria that cannot be assessed refuse the command, as a wrong option would.
        if (evaluated.result().safetyRefusal)
            return *evaluated.result().safetyRefusal;
        return SystemOutcome{evaluated.result(),
                             {},
                             document.safety,
                             tav::SystemLeakage::of(document, *evaluated.result().result),
                             {},
                             {},
                             {}};
    }

    // Every case solved and judged; the governing case's result is written as a study's
    // without cases is, the cases and the envelope after it.
    static tav::Refusable<SystemOutcome> cases(const tav::SystemDocument &document) {
        const tav::Refusable<tav::StudyEvaluation> evaluated = tav::CaseStudy::evaluate(document);
        if (evaluated.refused())
            return evaluated.refusal();
        for (const tav::CaseEvaluation &c : evaluated.result().cases)
            if (c.evaluation.safetyRefusal)
                return *c.evaluation.safetyRefusal;
        const tav::CaseEvaluation &governing = evaluated.result().governing();
        return SystemOutcome{governing.evaluation,
                             {},
                             governing.document.safety,
                             tav::SystemLeakage::of(document, *governing.evaluation.result),
                             evaluated.result(),
                             {},
                             {}};
    }

    std::string text(const SystemOutcome &o) const override {
        if (!o.expanded.empty())
            return o.expanded;
        const tav::SystemEvaluation &e = o.evaluation;
        const SystemSafety *safety = e.safety && o.criteria ? &*e.safety : nullptr;
        std::string text = resultText(*e.result, safety) + "\n" + leakageText(o.leakage);
        if (e.network)
            text += "\n" +
                    NetworkText::text(*e.network,
                                      NetworkText::StudyCurrent{injected(*e.result), e.decrement}) +
                    "\n";
        if (safety)
            text += safetyText(*o.criteria, *safety);
        if (o.designed)
            text = designedText(*o.designed, o.edited) + text;
        return o.study ? CasesText::governing(*o.study) + text + "\n" + CasesText::text(*o.study)
                       : text;
    }
    std::string json(const SystemOutcome &o) const override {
        if (!o.expanded.empty())
            return o.expanded;
        const tav::SystemEvaluation &e = o.evaluation;
        const QByteArray network =
            e.network ? tav::NetworkResultJson::write(*e.network, e.decrement) : QByteArray();
        const QByteArray result =
            e.safety && o.criteria
                ? tav::ResultJson::write(*e.result, *e.safety, *o.criteria, &o.leakage, network)
                : tav::ResultJson::write(*e.result, &o.leakage, network);
        return withDesigned(o.study ? tav::CasesJson::appended(result, *o.study) : result,
                            o.designed)
            .toStdString();
    }

    QStringList inputFiles(const CliOptions &options) const override {
        return {options.value(kInput)};
    }

    int writeFiles(const SystemInput &input, const SystemOutcome &o) const override {
        if (input.dxf.isEmpty() || !o.expanded.empty())
            return 0;
        const tav::earthing::Point2 site =
            input.document.siteOrigin.value_or(tav::earthing::Point2{});
        const std::string path = CommandLine::bytes(input.dxf).toStdString();
        const tav::SiteWriteResult result =
            tav::cad::DxfWriter(site.x, site.y)
                .write(path, DxfExport::plan(input.document, o.evaluation));
        if (result.status == tav::SiteWriteStatus::Success)
            return 0;
        const unsigned id = result.status == tav::SiteWriteStatus::CannotCreate
                                ? StringId::kSiteCannotCreate
                                : StringId::kSiteCannotWrite;
        std::fprintf(stderr, "tav-calc: %s\n",
                     qPrintable(CliStrings::text(id).arg(
                         input.dxf, CliStrings::wording().siteWriteFailure(result))));
        return 1;
    }
    bool writesReport() const override { return true; }
    Report report(const SystemInput &input, const SystemOutcome &o, const StudyHeader &header,
                  const StudyTexts &texts) const override {
        if (o.study)
            return SystemReport::report(*o.study, header, texts, input.report);
        return SystemReport::report(input.document, *o.evaluation.result, o.evaluation.safety,
                                    header, texts, o.evaluation.network);
    }
};

} // namespace

int SystemCommand::run(const QStringList &arguments) {
    return SystemSolve().run(arguments);
}
