#pragma once

#include "core/earthing/EarthingInput.h"

#include <QHash>
#include <QJsonValue>
#include <QString>

#include <vector>

namespace tav {

// The values of one part's fields by their schema paths ("origin/0", "rods/count"), as
// the schema's reader gives them and its writer takes them; a field left out of the part,
// with no default, is absent.
class PartValues {
public:
    bool has(const char *path) const { return m_values.contains(QLatin1String(path)); }
    // Whether any field under the object at path is present: "rods".
    bool hasUnder(const char *path) const;
    QJsonValue value(const QString &path) const { return m_values.value(path); }
    double number(const char *path) const;
    int integer(const char *path) const;
    bool boolean(const char *path) const;
    std::vector<earthing::Point2> points(const char *path) const;

    void set(const QString &path, const QJsonValue &value) { m_values.insert(path, value); }
    void set(const char *path, const QJsonValue &value) { set(QLatin1String(path), value); }
    void setPoints(const char *path, const std::vector<earthing::Point2> &points);

private:
    QHash<QString, QJsonValue> m_values;
};

} // namespace tav
