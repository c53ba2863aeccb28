#pragma once

#include "core/design/DesignBrief.h"
#include "document/DocumentError.h"

#include <QJsonObject>
#include <QJsonValue>
#include <QString>

namespace tav {

// The document's "design": the outline a layout fills, the prices, the rod lengths, the
// depth and diameter, read strictly, each fault at its path ("design.prices.rod_per_m").
class DesignJson {
public:
    static design::DesignBrief read(const QJsonValue &value, const QString &path,
                                    DocumentError &error);
    static QJsonObject write(const design::DesignBrief &brief);
    // The prices alone, as the design gives them and its record keeps them.
    static design::Prices readPrices(const QJsonValue &value, const QString &path,
                                     DocumentError &error);
    static QJsonObject writePrices(const design::Prices &prices);
};

} // namespace tav
