#include "studies/earthing/JsonFieldEdits.h"

#include "studies/common/StudyNumber.h"
#include "ui/LanguageString.h"

#include <QFormLayout>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLineEdit>
#include <QLocale>

#include <cmath>

namespace {

// Shortest text that reads back as the same double: a project reopened is unchanged.
QString exact(double value) {
    return QString::number(value, 'g', QLocale::FloatingPointShortest);
}

QString pointsText(const QJsonArray &points) {
    QStringList pairs;
    for (const QJsonValue &p : points) {
        const QJsonArray xy = p.toArray();
        pairs.append(exact(xy.at(0).toDouble()) + QLatin1Char(' ') + exact(xy.at(1).toDouble()));
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

QLineEdit *JsonFieldEdits::add(QFormLayout *form, const QString &path, unsigned label, Type type) {
    auto *edit = new QLineEdit(form->parentWidget());
    edit->setObjectName(path);
    if (type != Type::Points)
        edit->setAlignment(Qt::AlignRight);
    m_labels.insert(path, LoadLanguageString(label));
    form->addRow(m_labels.value(path), edit);
    m_edits.insert(path, edit);
    m_types.insert(path, type);
    m_order.append(path);
    connect(edit, &QLineEdit::textEdited, this, &JsonFieldEdits::edited);
    return edit;
}

void JsonFieldEdits::load(const QJsonObject &object) {
    for (const QString &path : std::as_const(m_order)) {
        const QJsonValue v = valueAt(object, path);
        QString text;
        if (v.isDouble())
            text = exact(v.toDouble());
        else if (v.isArray() && m_types.value(path) == Type::Points)
            text = pointsText(v.toArray());
        else if (v.isString())
            text = v.toString(); // as typed, not yet a number
        else if (v.isBool())
            text = v.toBool() ? QStringLiteral("true") : QStringLiteral("false");
        else if (v.isArray() || v.isObject()) // shown as read, to be mended, not lost
            text = QString::fromUtf8(
                v.isArray() ? QJsonDocument(v.toArray()).toJson(QJsonDocument::Compact)
                            : QJsonDocument(v.toObject()).toJson(QJsonDocument::Compact));
        m_edits.value(path)->setText(text);
    }
}

void JsonFieldEdits::write(QJsonObject &object) const {
    for (const QString &path : std::as_const(m_order)) {
        const QLineEdit *edit = m_edits.value(path);
        if (!edit->isEnabled())
            continue;
        const QString text = edit->text().trimmed();
        QJsonValue value = text;
        if (text.isEmpty()) {
            value = QJsonValue(QJsonValue::Undefined); // left out: the reader says it is missing
        } else if (m_types.value(path) == Type::Points) {
            value = pointsValue(text);
        } else if (const auto number = StudyNumber::read(text)) {
            value = *number;
            // A whole number stays one in the document, as an integer field needs.
            if (m_types.value(path) == Type::Integer && std::trunc(*number) == *number &&
                std::abs(*number) < 1e9)
                value = static_cast<int>(*number);
        }
        setValueAt(object, path, value);
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
        if (!overlaps(JsonFieldEdits::documentPath(path), documentPath))
            continue;
        QLineEdit *edit = m_edits.value(path);
        edit->setStyleSheet(QStringLiteral("QLineEdit { border: 2px solid #c01c1c; }"));
        edit->setToolTip(why);
        edit->setProperty("invalid", true);
        found = true;
    }
    return found;
}

bool JsonFieldEdits::overlaps(const QString &a, const QString &b) {
    const auto within = [](const QString &inner, const QString &outer) {
        return inner.size() > outer.size() && inner.startsWith(outer) &&
               (inner.at(outer.size()) == QLatin1Char('[') ||
                inner.at(outer.size()) == QLatin1Char('.'));
    };
    return a == b || within(a, b) || within(b, a);
}

bool JsonFieldEdits::marked(const QString &path) const {
    const QLineEdit *edit = m_edits.value(path);
    return edit && edit->property("invalid").toBool();
}

QString JsonFieldEdits::documentPath(const QString &path) {
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

QJsonValue JsonFieldEdits::valueAt(const QJsonObject &object, const QString &path) {
    QJsonValue v = object;
    for (const QString &key : path.split(QLatin1Char('/'))) {
        bool index = false;
        const int k = key.toInt(&index);
        v = index ? v.toArray().at(k) : v.toObject().value(key);
    }
    return v;
}

void JsonFieldEdits::setValueAt(QJsonObject &object, const QString &path, const QJsonValue &value) {
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
    if (index && restSlash < 0) {
        // A number of a fixed-length array, such as a point's coordinate.
        QJsonArray array = object.value(key).toArray();
        while (array.size() <= k)
            array.append(QJsonValue());
        array[k] = value.isUndefined() ? QJsonValue() : value;
        object[key] = array;
        return;
    }
    QJsonObject inner = object.value(key).toObject();
    setValueAt(inner, rest, value);
    object[key] = inner;
}
