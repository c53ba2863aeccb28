#include "studies/earthing/KeptSite.h"

#include "core/SiteFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

QString KeptSite::kept(const QJsonObject &settings) {
    return settings.value(QStringLiteral("site")).toString();
}

QString KeptSite::resolved(const QString &kept, const QString &studyFile) {
    if (kept.isEmpty() || QFileInfo(kept).isAbsolute() || studyFile.isEmpty())
        return kept;
    return QFileInfo(studyFile).absoluteDir().filePath(kept);
}

std::optional<tav::SiteInformation> KeptSite::read(const QString &path) {
    tav::SiteInformation site;
    const tav::SiteReadResult result =
        tav::SiteFile::read(QFile::encodeName(path).toStdString(), site);
    if (result.status != tav::SiteReadStatus::Success)
        return std::nullopt;
    return site;
}
