#pragma once

#include "studies/common/StudyNumber.h"
#include "studies/earthing/StudyPart.h"

#include <QHash>
#include <QJsonObject>
#include <QString>
#include <QStringList>
#include <QWidget>

class QFormLayout;
class QLineEdit;

// Line edits for the numbers of a JSON object, each named by its path in the object
// ("origin/1": the second number of origin). They show the object, each number as its
// field shows its kind (lengths to the millimetre, StudyNumber::Shown), and say what the
// user types, as the value it stands for; they hold nothing the object does not. A field
// can be marked: a red frame and a tooltip saying why.
class JsonFieldEdits : public QObject {
    Q_OBJECT
public:
    using Type = StudyPart::Type;
    using Shown = StudyNumber::Shown;

    explicit JsonFieldEdits(QObject *parent = nullptr);

    // A field of points shows its coordinates in metres, whatever shown says.
    QLineEdit *add(QFormLayout *form, const QString &path, unsigned label, Type type = Type::Number,
                   Shown shown = Shown::Figure);
    QString label(const QString &path) const { return m_labels.value(path); }
    QLineEdit *field(const QString &path) const { return m_edits.value(path); }
    QStringList paths() const { return m_order; }

    // Shows the object's values; a field whose text already stands for its value keeps
    // it as typed (and its cursor).
    void load(const QJsonObject &object);

    void clearMarks();
    // Marks the fields a document path points at: "origin[1]" the field origin/1,
    // "origin" both numbers of origin, "at[2]" the field at; false when none is there.
    bool mark(const QString &documentPath, const QString &why);
    bool marked(const QString &path) const;

    // What typed text stands for in the document: a number (whole for an integer field),
    // points, or the text itself when it is none, so that the document's own reader says
    // what is wrong with it; empty text is undefined (left out).
    static QJsonValue typedValue(Type type, const QString &text);
    // The text a value is shown as.
    static QString shownText(Type type, const QJsonValue &value, Shown shown = Shown::Figure);
    // How a field of the role shows its number: a place, a length or a depth in metres.
    static Shown shownFor(StudyPart::Role role);

Q_SIGNALS:
    // The user typed into the field at path.
    void edited(const QString &path, const QJsonValue &value);

private:
    QHash<QString, QLineEdit *> m_edits;
    QHash<QString, Type> m_types;
    QHash<QString, Shown> m_shown;
    QHash<QString, QString> m_labels;
    QStringList m_order;
};
