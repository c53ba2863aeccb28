#pragma once

#include "studies/earthing/StudyPart.h"

#include <QHash>
#include <QJsonObject>
#include <QString>
#include <QStringList>
#include <QWidget>

class QFormLayout;
class QLineEdit;

// Line edits for the numbers of a JSON object, each named by its path in the object
// ("origin/1": the second number of origin). Writing puts what is typed at its path as a
// number, or as the text itself when it is none, so that the document's own reader says
// what is wrong with it; an empty field is left out (null in an array). A field can be marked: a
// red frame and a tooltip saying why.
class JsonFieldEdits : public QObject {
    Q_OBJECT
public:
    using Type = StudyPart::Type;

    explicit JsonFieldEdits(QObject *parent = nullptr);

    QLineEdit *add(QFormLayout *form, const QString &path, unsigned label,
                   Type type = Type::Number);
    QString label(const QString &path) const { return m_labels.value(path); }
    QLineEdit *field(const QString &path) const { return m_edits.value(path); }
    QStringList paths() const { return m_order; }

    // Fills every field from the object (empty where it has nothing).
    void load(const QJsonObject &object);
    // The fields typed into object, the enabled ones only.
    void write(QJsonObject &object) const;

    void clearMarks();
    // Marks the fields a document path points at: "origin[1]" the field origin/1,
    // "origin" both numbers of origin, "at[2]" the field at; false when none is there.
    bool mark(const QString &documentPath, const QString &why);
    bool marked(const QString &path) const;

    // Reading and writing a value at a path of slash-separated keys and array indices.
    static QJsonValue valueAt(const QJsonObject &object, const QString &path);
    static void setValueAt(QJsonObject &object, const QString &path, const QJsonValue &value);
    // As the document's reader names the place: "origin/1" is "origin[1]", "rods/count"
    // "rods.count".
    static QString documentPath(const QString &path);
    // Whether one of the two document paths lies within the other.
    static bool overlaps(const QString &a, const QString &b);

Q_SIGNALS:
    void edited();

private:
    QHash<QString, QLineEdit *> m_edits;
    QHash<QString, Type> m_types;
    QHash<QString, QString> m_labels;
    QStringList m_order;
};
