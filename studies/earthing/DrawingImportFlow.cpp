#include "studies/earthing/DrawingImportFlow.h"

#include "cad/DrawingImport.h"
#include "document/DrawingOutlines.h"
#include "document/DrawingPart.h"
#include "studies/earthing/DxfImportDialog.h"
#include "studies/earthing/EarthingProject.h"
#include "text/StringIds.h"
#include "text/Wording.h"
#include "ui/FileChooser.h"
#include "ui/LanguageString.h"
#include "ui/MessageBox.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonObject>

namespace Id = StringId::DxfImport;
using namespace tav::cad;

namespace {

constexpr double kChordMetres = 0.5;

// Arcs are cut into chords of at most half a metre, in the drawing's own unit.
tav::Refusable<DxfDrawing> readDrawing(const QString &path, std::optional<DrawingUnit> unit) {
    DxfReadOptions options;
    options.maxChord = kChordMetres / metresPerUnit(unit.value_or(DrawingUnit::Metre));
    return DxfDrawing::read(QFile::encodeName(path).toStdString(), options);
}

void refused(QWidget *owner, const QString &name, const tav::Refusal &refusal) {
    showMessage(LoadLanguageString(Id::kUnreadable).arg(name, languageWording().refusal(refusal)),
                owner);
}

} // namespace

bool DrawingImportFlow::run(QWidget *owner, EarthingProject *project) {
    const auto path =
        FileChooser::choose(owner, {FileChooser::Mode::Open, LoadLanguageString(Id::kFilter),
                                    QStringLiteral("dxf"), QString()});
    if (!path)
        return false;
    const QString name = QFileInfo(*path).fileName();
    tav::Refusable<DxfDrawing> drawing = readDrawing(*path, std::nullopt);
    if (!drawing.refused() && drawing.result().units())
        drawing = readDrawing(*path, drawing.result().units());
    if (drawing.refused()) {
        refused(owner, name, drawing.refusal());
        return false;
    }
    DxfImportDialog dialog(drawing.result(), name, owner);
    if (const QJsonObject origin = project->siteOrigin(); !origin.isEmpty())
        dialog.keepOrigin(origin.value(QStringLiteral("x")).toDouble(),
                          origin.value(QStringLiteral("y")).toDouble());
    if (dialog.exec() != QDialog::Accepted)
        return false;
    const ImportSettings settings = dialog.settings();
    // A unit chosen here: the arcs again, in that unit's half metre.
    if (!drawing.result().units() && settings.units && *settings.units != DrawingUnit::Metre)
        drawing = readDrawing(*path, settings.units);
    const tav::Refusable<ImportedPlan> plan = drawing.refused()
                                                  ? tav::Refusable<ImportedPlan>(drawing.refusal())
                                                  : DrawingImport(drawing.result(), settings).run();
    if (plan.refused()) {
        refused(owner, name, plan.refusal());
        return false;
    }
    QVector<StudyPart> parts;
    for (const tav::DrawingPart &part : tav::DrawingPart::fromPlan(plan.result(), name))
        parts.append({StudyPart::Kind::Drawing, part.write()});
    for (const auto &[kind, json] : tav::DrawingOutlines::parts(plan.result()))
        parts.append({kind, json});
    project->addDrawings(parts, tav::DrawingOutlines::surfaceCorners(plan.result()),
                         {{QStringLiteral("x"), plan.result().originX},
                          {QStringLiteral("y"), plan.result().originY}},
                         LoadLanguageString(Id::kCommand).arg(name));
    return true;
}
