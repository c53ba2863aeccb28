#pragma once

#include <QJsonObject>
#include <QJsonValue>
#include <QString>

// Places in a study's JSON as the window names them: slash-separated keys and array
// indices ("origin/1", "rods/count"), and as the document's reader names them
// ("origin[1]", "rods.count").
namespace JsonPath {

QJsonValue valueAt(const QJsonObject &object, const QString &path);
// An undefined value takes the key out (a number of an array: null). An index followed by
// a key reaches into the object at that place of the array ("layers/1/rho").
void setValueAt(QJsonObject &object, const QString &path, const QJsonValue &value);
// "origin/1" is "origin[1]", "rods/count" "rods.count".
QString documentPath(const QString &path);
// Whether one of two document paths lies within the other.
bool overlaps(const QString &a, const QString &b);

} // namespace JsonPath
