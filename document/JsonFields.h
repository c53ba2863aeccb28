#pragma once

#include "core/earthing/EarthingInput.h"
#include "document/DocumentError.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QJsonValue>
#include <QString>
#include <QStringList>

#include <initializer_list>
#include <vector>

namespace tav {

// The members of one JSON object of a document, read strictly: the first fault found
// (missing, of the wrong type, or a key the object does not take) goes into the error,
// which every later read leaves as it is; reads after a fault give the fallback.
class JsonFields {
public:
    JsonFields(const QJsonValue &value, const QString &path, DocumentError &error);

    bool failed() const { return m_error.kind != DocumentError::Kind::None; }
    bool has(const char *key) const { return m_object.contains(QLatin1String(key)); }
    // A key that is present but null counts as absent.
    bool isNull(const char *key) const { return m_object.value(QLatin1String(key)).isNull(); }
    // Records the first key outside allowed.
    void allowOnly(std::initializer_list<const char *> allowed);
    void allowOnly(const QStringList &allowed);

    double number(const char *key, double fallback, bool required);
    // A number above 0 (and finite: JSON holds no other): a size, a length, a diameter.
    double positive(const char *key, double fallback, bool required);
    int integer(const char *key, int fallback, bool required);
    int count(const char *key, int limit);
    earthing::Point3 point3(const char *key);
    QJsonValue value(const char *key, bool required);
    // Arrays of [x, y] or of whole numbers, for instance the points.
    std::vector<earthing::Point2> points2(const char *key, bool required);
    QString path(const char *key) const;
    static QString indexed(const QString &path, int index);

    // Checks that value is an array of length numbers; fills them.
    static bool numbers(const QJsonValue &value, const QString &path, int length, double *out,
                        DocumentError &error);
    // A length or coordinate no farther from 0 than the solver takes; else the fault.
    static bool withinReach(double value, const QString &path, DocumentError &error);
    static void fail(DocumentError &error, DocumentError::Kind kind, const QString &path,
                     int expected = 0);

private:
    QJsonObject m_object;
    QString m_path;
    DocumentError &m_error;
};

} // namespace tav
