#pragma once

#include "core/design/DesignRecord.h"
#include "document/DocumentError.h"

#include <QJsonObject>
#include <QJsonValue>
#include <QString>

namespace tav {

// The document's "designed": how its layout was found (design::DesignRecord), read
// strictly, each fault at its path ("designed.runner_ups[2].layout.lines_x"), and written
// back as read.
class DesignRecordJson {
public:
    static design::DesignRecord read(const QJsonValue &value, const QString &path,
                                     DocumentError &error);
    static QJsonObject write(const design::DesignRecord &record);
    // The words of a spacing, as the record writes them.
    static QString spacing(bool compressed);
};

} // namespace tav
