#include "document/PartValues.h"

#include <QJsonArray>

#include <cmath>
#include <limits>

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

// A value the reader refused is kept as it was read, and the part's struct is filled
// before the refusal is looked at: never convert what an int cannot hold.
int PartValues::integer(const char *path) const {
    const double v = number(path);
    return std::abs(v) <= std::numeric_limits<int>::max() ? int(v) : 0;
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
