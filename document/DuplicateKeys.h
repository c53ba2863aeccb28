#pragma once

#include <QByteArray>
#include <QString>

namespace tav {

// The first key given twice in one object of a JSON text, which QJsonDocument would
// silently keep one of: a document read strictly has each key once. Scans the text
// itself, which must already have parsed as JSON.
class DuplicateKeys {
public:
    // The duplicate's path, as "conductors[0].diameter" ("" at the top for a key of the
    // document itself: its name); empty when every key is given once.
    static QString firstIn(const QByteArray &json);
};

} // namespace tav
