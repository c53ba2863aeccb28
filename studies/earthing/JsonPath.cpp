#include "studies/earthing/JsonPath.h"

#include <QJsonArray>

namespace JsonPath {

bool overlaps(const QString &a, const QString &b) {
    const auto within = [](const QString &inner, const QString &outer) {
        return inner.size() > outer.size() && inner.startsWith(outer) &&
               (inner.at(outer.size()) == QLatin1Char('[') ||
                inner.at(outer.size()) == QLatin1Char('.'));
    };
    return a == b || within(a, b) || within(b, a);
}

QString documentPath(const QString &path) {
    QString out;
    for (const QString &key : path.split(QLatin1Char('/'))) {
        bool index = false;
        key.toInt(&index);
        if (index)
            out += QLatin1Char('[') + key + QLatin1Char(']');
        else
            out += (out.isEmpty() ? QString() : QStringLiteral(".")) + key;
    }
    return out;
}

QJsonValue valueAt(const QJsonObject &object, const QString &path) {
    QJsonValue v = object;
    for (const QString &key : path.split(QLatin1Char('/'))) {
        bool index = false;
        const int k = key.toInt(&index);
        v = index ? v.toArray().at(k) : v.toObject().value(key);
    }
    return v;
}

void setValueAt(QJsonObject &object, const QString &path, const QJsonValue &value) {
    const int slash = path.indexOf(QLatin1Char('/'));
    if (slash < 0) {
        if (value.isUndefined())
            object.remove(path);
        else
            object[path] = value;
        return;
    }
    const QString key = path.left(slash);
    const QString rest = path.mid(slash + 1);
    const int restSlash = rest.indexOf(QLatin1Char('/'));
    bool index = false;
    const int k = rest.left(restSlash < 0 ? rest.size() : restSlash).toInt(&index);
    if (index) {
        // A number of a fixed-length array, such as a point's coordinate, or a key of an
        // object in an array, such as a soil layer's.
        QJsonArray array = object.value(key).toArray();
        while (array.size() <= k)
            array.append(QJsonValue());
        if (restSlash < 0) {
            array[k] = value.isUndefined() ? QJsonValue() : value;
        } else {
            QJsonObject item = array[k].toObject();
            setValueAt(item, rest.mid(restSlash + 1), value);
            array[k] = item;
        }
        object[key] = array;
        return;
    }
    QJsonObject inner = object.value(key).toObject();
    setValueAt(inner, rest, value);
    object[key] = inner;
}

} // namespace JsonPath
