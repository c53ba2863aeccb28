#pragma once

#include "core/SiteInformation.h"

#include <QJsonObject>
#include <QString>

#include <optional>

// The field information file an earthing study keeps for its report, under the study
// window's settings as "site": its path as chosen, or one relative to the study's own file
// (a study moved with its field information still finds it).
class KeptSite {
public:
    // The path kept in the study window's settings; empty when none is.
    static QString kept(const QJsonObject &settings);
    // The file the kept path names: a relative one from the folder of the study's file.
    static QString resolved(const QString &kept, const QString &studyFile);
    // The field information read from it; none when it cannot be read.
    static std::optional<tav::SiteInformation> read(const QString &path);
};
