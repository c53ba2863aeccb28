#include "document/JsonFields.h"

#include "core/earthing/InputCheck.h"

#include <cmath>
#include <limits>

namespace tav {

JsonFields::JsonFields(const QJsonValue &value, const QString &path, DocumentError &error)
    : m_path(path), m_error(error) {
    if (!value.isObject())
        fail(error, DocumentError::Kind::NotAnObject, path);
    else
        m_object = value.toObject();
}

void JsonFields::fail(DocumentError &error, DocumentError::Kind kind, const QString &path,
                      int expected) {
    if (error.kind != DocumentError::Kind::None)
        return;
    error.kind = kind;
    error.path = path;
    error.expected = expected;
}

QString JsonFields::path(const char *key) const {
    const QString name = QString::fromLatin1(key);
    return m_path.isEmpty() ? name : m_path + QLatin1Char('.') + name;
}

QString JsonFields::indexed(const QString &path, int index) {
    return path + QLatin1Char('[') + QString::number(index) + QLatin1Char(']');
}

void JsonFields::allowOnly(std::initializer_list<const char *> allowed) {
    for (auto it = m_object.begin(); it != m_object.end(); ++it) {
        bool known = false;
        for (const char *key : allowed)
            known = known || it.key() == QLatin1String(key);
        if (!known) {
            fail(m_error, DocumentError::Kind::UnknownKey,
                 m_path.isEmpty() ? it.key() : m_path + QLatin1Char('.') + it.key());
            return;
        }
    }
}

void JsonFields::allowOnly(const QStringList &allowed) {
    for (auto it = m_object.begin(); it != m_object.end(); ++it)
        if (!allowed.contains(it.key())) {
            fail(m_error, DocumentError::Kind::UnknownKey,
                 m_path.isEmpty() ? it.key() : m_path + QLatin1Char('.') + it.key());
            return;
        }
}

QJsonValue JsonFields::value(const char *key, bool required) {
    const QJsonValue v = m_object.value(QLatin1String(key));
    if ((v.isUndefined() || v.isNull()) && required)
        fail(m_error, DocumentError::Kind::MissingKey, path(key));
    return v;
}

double JsonFields::number(const char *key, double fallback, bool required) {
    const QJsonValue v = value(key, required);
    if (v.isUndefined() || v.isNull())
        return fallback;
    if (!v.isDouble()) {
        fail(m_error, DocumentError::Kind::NotANumber, path(key));
        return fallback;
    }
    return v.toDouble();
}

double JsonFields::positive(const char *key, double fallback, bool required) {
    const double v = number(key, fallback, required);
    if (!failed() && has(key) && !isNull(key) && !(v > 0))
        fail(m_error, DocumentError::Kind::NotPositive, path(key));
    return v;
}

int JsonFields::integer(const char *key, int fallback, bool required) {
    const QJsonValue v = value(key, required);
    if (v.isUndefined() || v.isNull())
        return fallback;
    const double d = v.toDouble(0.5);
    if (!v.isDouble() || d != std::trunc(d) || std::abs(d) > std::numeric_limits<int>::max()) {
        fail(m_error, DocumentError::Kind::NotAnInteger, path(key));
        return fallback;
    }
    return int(d);
}

int JsonFields::count(const char *key, int limit) {
    const int n = integer(key, 0, true);
    if (!failed() && (n < 1 || n > limit))
        fail(m_error, DocumentError::Kind::CountOutOfRange, path(key), limit);
    return n;
}

bool JsonFields::numbers(const QJsonValue &value, const QString &path, int length, double *out,
                         DocumentError &error) {
    if (!value.isArray()) {
        fail(error, DocumentError::Kind::NotAnArray, path);
        return false;
    }
    const QJsonArray array = value.toArray();
    if (array.size() != length) {
        fail(error, DocumentError::Kind::WrongLength, path, length);
        return false;
    }
    for (int k = 0; k < length; ++k) {
        if (!array[k].isDouble()) {
            fail(error, DocumentError::Kind::NotANumber, indexed(path, k));
            return false;
        }
        out[k] = array[k].toDouble();
    }
    return true;
}

bool JsonFields::withinReach(double value, const QString &path, DocumentError &error) {
    constexpr double kReach = earthing::InputCheck::kMaxReach;
    if (std::abs(value) <= kReach)
        return true;
    fail(error, DocumentError::Kind::BeyondReach, path, int(kReach));
    return false;
}

earthing::Point3 JsonFields::point3(const char *key) {
    double xyz[3] = {0, 0, 0};
    const QJsonValue v = value(key, true);
    if (!failed())
        numbers(v, path(key), 3, xyz, m_error);
    return {xyz[0], xyz[1], xyz[2]};
}

std::vector<earthing::Point2> JsonFields::points2(const char *key, bool required) {
    std::vector<earthing::Point2> points;
    const QJsonValue v = value(key, required);
    if (failed() || v.isUndefined() || v.isNull())
        return points;
    if (!v.isArray()) {
        fail(m_error, DocumentError::Kind::NotAnArray, path(key));
        return points;
    }
    const QJsonArray array = v.toArray();
    points.reserve(std::size_t(array.size()));
    for (int k = 0; k < array.size() && !failed(); ++k) {
        // A sound point is taken without words; only a faulty one is read the long way,
        // which names the fault at its path (a map's points are many).
        const QJsonValue item = array[k];
        if (item.isArray()) {
            const QJsonArray pair = item.toArray();
            if (pair.size() == 2 && pair[0].isDouble() && pair[1].isDouble()) {
                const earthing::Point2 p{pair[0].toDouble(), pair[1].toDouble()};
                constexpr double kReach = earthing::InputCheck::kMaxReach;
                if (std::abs(p.x) <= kReach && std::abs(p.y) <= kReach) {
                    points.push_back(p);
                    continue;
                }
            }
        }
        double xy[2] = {0, 0};
        const QString at = indexed(path(key), k);
        if (!numbers(array[k], at, 2, xy, m_error))
            break;
        for (int i = 0; i < 2; ++i)
            if (!withinReach(xy[i], indexed(at, i), m_error))
                return points;
        points.push_back({xy[0], xy[1]});
    }
    return points;
}

} // namespace tav
