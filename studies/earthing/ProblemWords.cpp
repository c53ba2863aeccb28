#include "studies/earthing/ProblemWords.h"

#include "core/NumericText.h"
#include "document/DocumentWording.h"
#include "studies/earthing/DrawingRowsTable.h"
#include "studies/earthing/JsonPath.h"
#include "studies/earthing/PartListModel.h"
#include "studies/earthing/StudyProject.h"
#include "text/StringIds.h"
#include "ui/LanguageString.h"

#include <QRegularExpression>

#include <optional>

namespace Id = StringId::StudyWindows;
using Kind = StudyPart::Kind;
using tav::Error;

namespace {

// The window's words of each refusal that names a conductor, from Id::kConductorRefusals.
std::optional<unsigned> conductorRefusal(Error error) {
    switch (error) {
    case Error::ConductorNotFinite:
        return 0;
    case Error::ConductorZeroLength:
        return 1;
    case Error::ConductorAboveSurface:
        return 2;
    case Error::ConductorOnSurface:
        return 3;
    case Error::ConductorDiameterNotPositive:
        return 4;
    case Error::ConductorDiameterNotBelowLength:
        return 5;
    case Error::GroupNegative:
        return 6;
    case Error::ConductorsOverlap:
        return 7;
    case Error::ConductorBeyondReach:
        return 8;
    case Error::ConductorDiameterBelowFloor:
        return 9;
    case Error::ConductorRadiusAboveSurface:
        return 10;
    case Error::GroupsTouch:
        return 11;
    default:
        return std::nullopt;
    }
}

// The solver's conductor number (from 1) as its part and the field that shapes it.
const tav::ConductorSource *sourceOf(const std::vector<tav::ConductorSource> &sources,
                                     double number) {
    const auto k = std::size_t(number) - 1;
    return number >= 1 && k < sources.size() ? &sources[k] : nullptr;
}

// "a rod of Grid 20 × 20 m, 4 × 4", "conductor row 4 of site.dxf", "Conductor 14.142 m".
QString conductorWords(const StudyProject &project, const tav::ConductorSource &source) {
    const int k = project.partOf(source);
    if (k < 0)
        return QString();
    const StudyPart &part = project.parts[k];
    const QString name = PartListModel::name(part);
    static const QRegularExpression row(QStringLiteral(R"(^(conductors|rods)\[(\d+)\])"));
    if (const QRegularExpressionMatch m = row.match(source.field); m.hasMatch())
        return LoadLanguageString(m.captured(1) == QLatin1String("conductors") ? Id::kConductorRowOf
                                                                               : Id::kRodRowOf)
            .arg(QString::number(m.captured(2).toInt() + 1), name);
    if (part.kind == Kind::Conductor)
        return name; // a part of one conductor
    if (part.kind == Kind::Rods || source.field == QLatin1String("rods") ||
        source.field == QLatin1String("rod"))
        return LoadLanguageString(Id::kRodOf).arg(name);
    if (source.field == QLatin1String("posts"))
        return LoadLanguageString(Id::kPostOf).arg(name);
    return LoadLanguageString(Id::kConductorOf).arg(name);
}

} // namespace

QString ProblemWords::withoutUnit(const QString &label) {
    const int bracket = label.lastIndexOf(QStringLiteral(" ["));
    return bracket > 0 && label.endsWith(QLatin1Char(']')) ? label.left(bracket) : label;
}

QString ProblemWords::fieldLabel(const StudyPart &part, const QString &path) {
    if (part.kind == Kind::Drawing)
        for (const auto rows : {DrawingRowsTable::Rows::Conductors, DrawingRowsTable::Rows::Rods})
            if (const QString cell = DrawingRowsTable::label(rows, path); !cell.isEmpty())
                return withoutUnit(cell);
    // A touch area's or point's group is a field of its form, not of the schema's labels.
    if ((part.kind == Kind::TouchArea || part.kind == Kind::TouchPoint) &&
        JsonPath::overlaps(QStringLiteral("group"), path))
        return withoutUnit(LoadLanguageString(StringId::EarthingStudy::kTouchGroup));
    for (const StudyPart::Field &f : StudyPart::fields(part.kind))
        if (JsonPath::overlaps(JsonPath::documentPath(f.path), path))
            return withoutUnit(LoadLanguageString(f.label));
    return QString();
}

QString ProblemWords::ofPart(const StudyPart &part, const QString &path,
                             const tav::DocumentError &error) {
    const QString name = PartListModel::name(part);
    tav::DocumentError named = error;
    if (path.isEmpty()) { // the part itself
        named.path = name;
        return DocumentWording::error(named, &LoadLanguageString);
    }
    const QString label = fieldLabel(part, path);
    named.path = label.isEmpty() ? path : label; // a key the form has no field for
    return LoadLanguageString(Id::kPartProblem)
        .arg(name, DocumentWording::error(named, &LoadLanguageString));
}

QString ProblemWords::refusal(const StudyProject &project,
                              const std::vector<tav::ConductorSource> &sources,
                              const tav::Refusal &refusal) {
    const QString worded = languageWording().refusal(refusal);
    const std::optional<unsigned> id = conductorRefusal(refusal.error);
    const bool pair = tav::namesConductorPair(refusal.error);
    const std::size_t named = pair ? 2 : 1;
    if (!id || refusal.values.size() < named)
        return worded;
    const tav::ConductorSource *first = sourceOf(sources, refusal.values[0]);
    const tav::ConductorSource *second = pair ? sourceOf(sources, refusal.values[1]) : nullptr;
    QString words = first ? conductorWords(project, *first) : QString();
    if (pair) {
        const QString other = second ? conductorWords(project, *second) : QString();
        if (words.isEmpty() || other.isEmpty())
            words.clear();
        else if (project.partOf(*first) == project.partOf(*second) && words == other)
            words = LoadLanguageString(Id::kTwoConductorsOf)
                        .arg(PartListModel::name(project.parts[project.partOf(*first)]));
        else
            words = LoadLanguageString(Id::kOneAndOther).arg(words, other);
    }
    if (words.isEmpty())
        return worded;
    QString text = LoadLanguageString(Id::kConductorRefusals + *id).arg(words);
    for (std::size_t k = named; k < refusal.values.size(); ++k)
        text = text.arg(QString::fromStdString(tav::NumericText::describe(refusal.values[k])));
    return text;
}
