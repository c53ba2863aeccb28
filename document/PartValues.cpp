#include "document/PartValues.h"

#include <QJsonArray>

namespace tav {

bool PartValues::hasUnder(const char *path) const {
    const QString prefix = QLatin1String(path) + QLatin1Char('/');
    for (auto it = m_values.begin(); it != m_values.end(); ++it)
        if (it.key().startsWith(prefix))
            return true;
    return false;
}

double PartValues::number(const char *path) const {
    return m_values.value(QLatin1String(path)).toDouble(0);
}

int PartValues::integer(const char *path) const {
    return int(number(path));
}

bool PartValues::boolean(const char *path) const {
    return m_values.value(QLatin1String(path)).toBool(false);
}

std::vector<earthing::Point2> PartValues::points(const char *path) const {
    std::vector<earthing::Point2> points;
    for (const QJsonValue &p : m_values.value(QLatin1String(path)).toArray())
        points.push_back({p.toArray().at(0).toDouble(), p.toArray().at(1).toDouble()});
    return points;
}

void PartValues::setPoints(const char *path, const std::vector<earthing::Point2> &points) {
    QJsonArray array;
    for (const earthing::Point2 &p : points)
        array.append(QJsonArray{p.x, p.y});
    set(path, array);
}

} // namespace tav
