#include "cli/DxfImportCommand.h"

#include "cad/DrawingImport.h"
#include "cad/DxfDrawing.h"
#include "cli/CalculationCommand.h"
#include "cli/CommandLine.h"
#include "cli/ImportSummary.h"
#include "cli/LayerMap.h"
#include "document/DrawingOutlines.h"
#include "document/SystemDocument.h"

#include <QFile>
#include <QFileInfo>

#include <cmath>
#include <map>

namespace {

using tav::cad::DrawingUnit;

const QString kLayers = QStringLiteral("layers");
const QString kUnits = QStringLiteral("units");
const QString kOrigin = QStringLiteral("origin");
const QString kJoin = QStringLiteral("join");

struct ImportInput {
    std::string path; // the drawing's bytes, as given
    QString name;     // its base name
    tav::cad::ImportSettings settings;
    QString refused;
    bool summaryOnly = false;
};

DrawingUnit unitNamed(const QString &name) {
    static const std::map<QString, DrawingUnit> units{
        {QStringLiteral("mm"), DrawingUnit::Millimetre},
        {QStringLiteral("cm"), DrawingUnit::Centimetre},
        {QStringLiteral("m"), DrawingUnit::Metre},
        {QStringLiteral("in"), DrawingUnit::Inch},
        {QStringLiteral("ft"), DrawingUnit::Foot}};
    const auto found = units.find(name);
    if (found == units.end())
        throw UsageError("--units takes mm, cm, m, in or ft, not " + name.toStdString());
    return found->second;
}

// "auto", or the site coordinates "X,Y" in metres.
void readOrigin(const QString &text, tav::cad::ImportSettings &settings) {
    if (text.isEmpty() || text == QLatin1String("auto"))
        return;
    const QStringList xy = text.split(QLatin1Char(','));
    if (xy.size() != 2)
        throw UsageError("--origin takes auto or X,Y in metres, not " + text.toStdString());
    settings.autoOrigin = false;
    settings.originX = CliOptions::parse<double>(kOrigin, xy[0].trimmed());
    settings.originY = CliOptions::parse<double>(kOrigin, xy[1].trimmed());
    if (!std::isfinite(settings.originX) || !std::isfinite(settings.originY))
        throw UsageError("--origin takes finite coordinates, not " + text.toStdString());
}

// The document of a new study with the drawing's parts.
tav::SystemDocument documentOf(const ImportOutcome &o) {
    tav::SystemDocument d = tav::SystemDocument::made();
    for (tav::DrawingPart &part : tav::DrawingPart::fromPlan(o.plan, o.name))
        d.drawings.push_back(std::move(part));
    tav::DrawingOutlines::addTo(d, o.plan);
    d.siteOrigin = tav::earthing::Point2{o.plan.originX, o.plan.originY};
    return d;
}

class DxfImport : public CalculationCommand<ImportInput, ImportOutcome> {
public:
    DxfImport()
        : CalculationCommand(
              QStringLiteral("dxf-import"),
              QStringLiteral("A CAD drawing (ASCII DXF) imported as an earthing system: the "
                             "lines and polylines of a conductor layer become conductors, the "
                             "points, circles and blocks of a rod layer vertical rods, by the "
                             "layer map's depths and diameters; the lines of a fence layer "
                             "fences, the closed lines of a touch area layer touch areas, the "
                             "one closed line of a surface layer the crushed rock's outline. "
                             "Writes a complete system "
                             "document for tav-calc system (whatever --format, unless it is "
                             "given as text), the summary on standard error; --format text "
                             "writes the summary alone.")) {}

protected:
    void addOptions(CliOptions &options) const override {
        options.addArgument(QStringLiteral("FILE"), QStringLiteral("The drawing, ASCII DXF."));
        options.addValue(kLayers, QStringLiteral("MAP.json"),
                         QStringLiteral("What each layer stands for: {\"layers\": {\"GRID\": "
                                        "{\"role\": \"conductor\", \"depth\": 0.6, \"diameter\": "
                                        "0.012, \"group\": 0}, ...}}; roles conductor, rod "
                                        "(with length), fence (with posts: spacing, length, "
                                        "diameter), touch_area, surface and ignored."));
        options.addValue(kUnits, QStringLiteral("mm|cm|m|in|ft"),
                         QStringLiteral("The drawing's unit, when its $INSUNITS names none."));
        options.addValue(kOrigin, QStringLiteral("auto|X,Y"),
                         QStringLiteral("The site coordinates (m) of the document's 0, 0; auto "
                                        "(the default): the drawing's lower left corner rounded "
                                        "down to 100 m."));
        options.addFlag(kJoin, QStringLiteral("Cut conductors where they cross, so that they "
                                              "share a node."));
    }

    ImportInput read(const CliOptions &options) const override {
        const QStringList files = options.arguments();
        if (files.size() != 1)
            throw UsageError("dxf-import takes one drawing");
        ImportInput input;
        input.path = CommandLine::bytes(files.front()).toStdString();
        input.name = QFileInfo(files.front()).fileName();
        if (options.isSet(kUnits))
            input.settings.units = unitNamed(options.value(kUnits));
        readOrigin(options.value(kOrigin), input.settings);
        input.settings.joinCrossings = options.isSet(kJoin);
        // The document unless the summary alone is asked for.
        input.summaryOnly =
            options.format() == CliOptions::Format::Text && options.isSet(QStringLiteral("format"));
        if (options.isSet(kLayers))
            input.settings.layers = LayerMap::read(options.value(kLayers), input.refused);
        return input;
    }

    QString refusedInput(const ImportInput &input) const override { return input.refused; }

    // Said with the drawing's name, as tav-calc says of any file it cannot take.
    QString refusal(const ImportInput &input, const tav::Refusal &refusal) const override {
        return QFile::decodeName(QByteArray::fromStdString(input.path)) + QStringLiteral(": ") +
               CliStrings::wording().refusal(refusal);
    }

    tav::Refusable<ImportOutcome> calculate(const ImportInput &input) const override {
        const tav::Refusable<tav::cad::DxfDrawing> drawing = tav::cad::DxfDrawing::read(input.path);
        if (drawing.refused())
            return drawing.refusal();
        tav::Refusable<tav::cad::ImportedPlan> plan =
            tav::cad::DrawingImport(drawing.result(), input.settings).run();
        if (plan.refused())
            return plan.refusal();
        return ImportOutcome{plan.result(), input.name, input.settings.layers, input.summaryOnly};
    }

    std::string text(const ImportOutcome &o) const override {
        return o.summaryOnly ? ImportSummary::text(o) : json(o);
    }

    // The document on standard output, the summary beside it on standard error.
    std::string json(const ImportOutcome &o) const override {
        std::fputs(ImportSummary::text(o).c_str(), stderr);
        return documentOf(o).toJson().toStdString();
    }

    QStringList inputFiles(const CliOptions &options) const override { return options.arguments(); }
};

} // namespace

int DxfImportCommand::run(const QStringList &arguments) {
    return DxfImport().run(arguments);
}
