#include "studies/earthing/DrawingExportFlow.h"

#include "cad/DxfWriter.h"
#include "report/DxfExport.h"
#include "studies/earthing/SolvedStudy.h"
#include "text/StringIds.h"
#include "text/Wording.h"
#include "ui/FileChooser.h"
#include "ui/LanguageString.h"
#include "ui/MessageBox.h"

#include <QFile>

bool DrawingExportFlow::run(QWidget *owner, const SolvedStudy &solved, const QString &initialName) {
    const std::optional<QString> path = FileChooser::choose(
        owner, {FileChooser::Mode::Save, LoadLanguageString(StringId::DxfImport::kFilter),
                QStringLiteral("dxf"), initialName});
    return path && write(owner, solved, *path);
}

bool DrawingExportFlow::write(QWidget *owner, const SolvedStudy &solved, const QString &path) {
    const tav::SystemDocument &document = solved.document();
    const tav::earthing::Point2 site = document.siteOrigin.value_or(tav::earthing::Point2{});
    const tav::SiteWriteResult result = tav::cad::DxfWriter(site.x, site.y)
                                            .write(QFile::encodeName(path).toStdString(),
                                                   DxfExport::plan(document, solved.evaluation()));
    if (result.status == tav::SiteWriteStatus::Success)
        return true;
    showFailure(LoadLanguageString(StringId::Study::kCannotWrite)
                    .arg(path, languageWording().siteWriteFailure(result)),
                owner);
    return false;
}
