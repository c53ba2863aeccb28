#include "studies/earthing/JsonFieldEdits.h"

#include "studies/common/StudyNumber.h"
#include "studies/earthing/JsonPath.h"
#include "ui/LanguageString.h"

#include <QFormLayout>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLineEdit>
#include <QLocale>

#include <cmath>
#include <limits>

namespace {

QString pointsText(const QJsonArray &points) {
    const auto metres = [](const QJsonValue &v) {
        return StudyNumber::shown(v.toDouble(), StudyNumber::Shown::Metres);
    };
    QStringList pairs;
    for (const QJsonValue &p : points) {
        const QJsonArray xy = p.toArray();
        pairs.append(metres(xy.at(0)) + QLatin1Char(' ') + metres(xy.at(1)));
    }
    return pairs.join(QStringLiteral("; "));
}

// "x y; x y": the array of points, or the text itself when it is none.
QJsonValue pointsValue(const QString &text) {
    QJsonArray points;
    for (const QString &pair : text.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QStringList xy = pair.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
        const auto x = xy.size() == 2 ? StudyNumber::read(xy[0]) : std::nullopt;
        const auto y = xy.size() == 2 ? StudyNumber::read(xy[1]) : std::nullopt;
        if (!x || !y)
            return text;
        points.append(QJsonArray{*x, *y});
    }
    return points;
}

} // namespace

JsonFieldEdits::JsonFieldEdits(QObject *parent) : QObject(parent) {}

QLineEdit *JsonFieldEdits::add(QFormLayout *form, const QString &path, unsigned label, Type type,
                               Shown shown) {
    auto *edit = new QLineEdit(form->parentWidget());
    edit->setObjectName(path);
    // The field shows what the document holds, however long: a list of many rods.
    edit->setMaxLength(std::numeric_limits<int>::max());
    if (type != Type::Points && type != Type::Text)
        edit->setAlignment(Qt::AlignRight);
    m_labels.insert(path, LoadLanguageString(label));
    form->addRow(m_labels.value(path), edit);
    m_edits.insert(path, edit);
    m_types.insert(path, type);
    m_shown.insert(path, shown);
    m_order.append(path);
    connect(edit, &QLineEdit::textEdited, this, [this, path, type](const QString &text) {
        Q_EMIT edited(path, typedValue(type, text));
    });
    return edit;
}

JsonFieldEdits::Shown JsonFieldEdits::shownFor(StudyPart::Role role) {
    switch (role) {
    case StudyPart::Role::Place:
    case StudyPart::Role::Length:
    case StudyPart::Role::Depth:
        return Shown::Metres;
    case StudyPart::Role::Count:
    case StudyPart::Role::Diameter:
        break;
    }
    return Shown::Figure;
}

QString JsonFieldEdits::shownText(Type type, const QJsonValue &v, Shown shown) {
    if (v.isDouble() && type == Type::Integer)
        return QString::number(v.toDouble(), 'g', QLocale::FloatingPointShortest);
    if (v.isDouble())
        return StudyNumber::shown(v.toDouble(), shown);
    if (v.isArray() && type == Type::Points)
        return pointsText(v.toArray());
    if (v.isString())
        return v.toString(); // as typed, not yet a number
    if (v.isBool())
        return v.toBool() ? QStringLiteral("true") : QStringLiteral("false");
    if (v.isArray()) // shown as read, to be mended, not lost
        return QString::fromUtf8(QJsonDocument(v.toArray()).toJson(QJsonDocument::Compact));
    if (v.isObject())
        return QString::fromUtf8(QJsonDocument(v.toObject()).toJson(QJsonDocument::Compact));
    return QString();
}

QJsonValue JsonFieldEdits::typedValue(Type type, const QString &typed) {
    const QString text = typed.trimmed();
    if (text.isEmpty())
        return QJsonValue(QJsonValue::Undefined); // left out: the reader says it is missing
    if (type == Type::Points)
        return pointsValue(text);
    if (type == Type::Text) // a name, whatever it reads as
        return typed;
    const auto number = StudyNumber::read(text);
    if (!number)
        return text;
    // A whole number stays one in the document, as an integer field needs.
    if (type == Type::Integer && std::trunc(*number) == *number && std::abs(*number) < 1e9)
        return static_cast<int>(*number);
    return *number;
}

void JsonFieldEdits::load(const QJsonObject &object) {
    for (const QString &path : std::as_const(m_order)) {
        const Type type = m_types.value(path);
        const QJsonValue v = JsonPath::valueAt(object, path);
        QLineEdit *edit = m_edits.value(path);
        if (typedValue(type, edit->text()) == v || (v.isNull() && edit->text().trimmed().isEmpty()))
            continue; // "1.50" stays as typed
        const QString text = shownText(type, v, m_shown.value(path));
        if (edit->text() != text) // shown rounded, it stands for the value kept
            edit->setText(text);
    }
}

void JsonFieldEdits::clearMarks() {
    for (QLineEdit *edit : std::as_const(m_edits)) {
        edit->setStyleSheet(QString());
        edit->setToolTip(QString());
        edit->setProperty("invalid", false);
    }
}

bool JsonFieldEdits::mark(const QString &documentPath, const QString &why) {
    bool found = false;
    for (const QString &path : std::as_const(m_order)) {
        if (!JsonPath::overlaps(JsonPath::documentPath(path), documentPath))
            continue;
        QLineEdit *edit = m_edits.value(path);
        edit->setStyleSheet(QStringLiteral("QLineEdit { border: 2px solid #c01c1c; }"));
        edit->setToolTip(why);
        edit->setProperty("invalid", true);
        found = true;
    }
    return found;
}

bool JsonFieldEdits::marked(const QString &path) const {
    const QLineEdit *edit = m_edits.value(path);
    return edit && edit->property("invalid").toBool();
}
