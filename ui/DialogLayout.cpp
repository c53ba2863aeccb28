#include "ui/DialogLayout.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>

namespace {

// Thrown inside the reader only, and turned into an empty result with its reason.
struct LayoutError {
    QString reason;
};

[[noreturn]] void Refuse(const QString &reason) {
    throw LayoutError{reason};
}

const QStringList &WindowFlags() {
    static const QStringList flags{QStringLiteral("caption"), QStringLiteral("sysmenu"),
                                   QStringLiteral("minimizebox"), QStringLiteral("appwindow")};
    return flags;
}

const QStringList &ControlFlags() {
    static const QStringList flags{
        QStringLiteral("tabstop"),   QStringLiteral("default"),    QStringLiteral("disabled"),
        QStringLiteral("multiline"), QStringLiteral("center"),     QStringLiteral("right"),
        QStringLiteral("vcenter"),   QStringLiteral("nowrap"),     QStringLiteral("sunken"),
        QStringLiteral("border"),    QStringLiteral("staticedge"), QStringLiteral("readonly"),
        QStringLiteral("number"),    QStringLiteral("vscroll")};
    return flags;
}

void OnlyMembers(const QJsonObject &object, const QStringList &known, const QString &where) {
    for (auto it = object.begin(); it != object.end(); ++it) {
        if (!known.contains(it.key()))
            Refuse(QStringLiteral("%1: unknown member \"%2\"").arg(where, it.key()));
    }
}

int Bounded(const QJsonValue &value, int low, int high, const QString &what) {
    const double number = value.toDouble(qQNaN());
    if (!(number >= low && number <= high) || number != static_cast<int>(number))
        Refuse(
            QStringLiteral("%1 must be a whole number from %2 to %3").arg(what).arg(low).arg(high));
    return static_cast<int>(number);
}

QString Text(const QJsonValue &value, const QString &what) {
    if (value.isUndefined())
        return {};
    if (!value.isString() || value.toString().size() > DialogLayout::kMaxTextLength)
        Refuse(QStringLiteral("%1 must be a text of at most %2 characters")
                   .arg(what)
                   .arg(DialogLayout::kMaxTextLength));
    return value.toString();
}

QStringList Flags(const QJsonValue &value, const QStringList &known, const QString &where) {
    QStringList flags;
    const QJsonArray array = value.toArray();
    if (!value.isUndefined() && !value.isArray())
        Refuse(QStringLiteral("%1: style must be a list").arg(where));
    for (const QJsonValue &item : array) {
        if (!known.contains(item.toString()))
            Refuse(QStringLiteral("%1: unknown style flag \"%2\"").arg(where, item.toString()));
        flags.append(item.toString());
    }
    return flags;
}

QRect Rect(const QJsonValue &value, const QString &where) {
    const QJsonArray numbers = value.toArray();
    if (numbers.size() != 4)
        Refuse(QStringLiteral("%1: rect must be four numbers").arg(where));
    const int max = DialogLayout::kMaxUnits;
    const QString what = where + QStringLiteral(": rect");
    return QRect(Bounded(numbers[0], 0, max, what), Bounded(numbers[1], 0, max, what),
                 Bounded(numbers[2], 0, max, what), Bounded(numbers[3], 0, max, what));
}

QString ControlName(int index, const QJsonObject &object) {
    const QJsonValue id = object.value(QLatin1String("id"));
    return id.isDouble() ? QStringLiteral("control %1").arg(id.toDouble())
                         : QStringLiteral("control #%1").arg(index + 1);
}

ControlTemplate Control(int index, const QJsonObject &object) {
    static const QStringList members{QStringLiteral("id"),    QStringLiteral("kind"),
                                     QStringLiteral("text"),  QStringLiteral("rect"),
                                     QStringLiteral("style"), QStringLiteral("bitmap"),
                                     QStringLiteral("format")};
    const QString where = ControlName(index, object);
    OnlyMembers(object, members, where);
    ControlTemplate control;
    control.kind = object.value(QLatin1String("kind")).toString();
    if (!DialogLayout::ControlKinds().contains(control.kind))
        Refuse(QStringLiteral("%1: unknown kind \"%2\"").arg(where, control.kind));
    if (object.contains(QLatin1String("id")))
        control.id =
            Bounded(object.value(QLatin1String("id")), 0, 65535, where + QStringLiteral(": id"));
    control.text = Text(object.value(QLatin1String("text")), where + QStringLiteral(": text"));
    control.rect = Rect(object.value(QLatin1String("rect")), where);
    control.style = Flags(object.value(QLatin1String("style")), ControlFlags(), where);
    if (object.contains(QLatin1String("bitmap")))
        control.bitmap = Bounded(object.value(QLatin1String("bitmap")), 0, 65535,
                                 where + QStringLiteral(": bitmap"));
    control.format =
        Text(object.value(QLatin1String("format")), where + QStringLiteral(": format"));
    return control;
}

DialogLayout Layout(const QJsonObject &object) {
    static const QStringList members{QStringLiteral("id"),    QStringLiteral("title"),
                                     QStringLiteral("size"),  QStringLiteral("font"),
                                     QStringLiteral("style"), QStringLiteral("controls")};
    DialogLayout layout;
    layout.id = Bounded(object.value(QLatin1String("id")), 0, 65535, QStringLiteral("id"));
    const QString name = QStringLiteral("layout %1").arg(layout.id);
    try {
        OnlyMembers(object, members, name);
        layout.title = Text(object.value(QLatin1String("title")), QStringLiteral("title"));
        const QJsonArray size = object.value(QLatin1String("size")).toArray();
        const QJsonArray font = object.value(QLatin1String("font")).toArray();
        if (size.size() != 2 || font.size() != 2 || !font[0].isString())
            Refuse(QStringLiteral("size must be two numbers and font a name and a size"));
        layout.size = QSize(Bounded(size[0], 1, DialogLayout::kMaxUnits, QStringLiteral("width")),
                            Bounded(size[1], 1, DialogLayout::kMaxUnits, QStringLiteral("height")));
        layout.fontFamily = Text(font[0], QStringLiteral("font name"));
        layout.fontPoints = Bounded(font[1], DialogLayout::kMinPoints, DialogLayout::kMaxPoints,
                                    QStringLiteral("font size"));
        layout.style =
            Flags(object.value(QLatin1String("style")), WindowFlags(), QStringLiteral("window"));
        const QJsonArray controls = object.value(QLatin1String("controls")).toArray();
        if (controls.size() > DialogLayout::kMaxControls)
            Refuse(QStringLiteral("more than %1 controls").arg(DialogLayout::kMaxControls));
        QSet<int> ids;
        for (int i = 0; i < controls.size(); ++i) {
            const ControlTemplate control = Control(i, controls[i].toObject());
            if (control.id >= 0 && ids.contains(control.id))
                Refuse(QStringLiteral("control %1: the id is used twice").arg(control.id));
            ids.insert(control.id);
            layout.controls.append(control);
        }
    } catch (const LayoutError &error) {
        Refuse(name + QStringLiteral(": ") + error.reason);
    }
    return layout;
}

} // namespace

const QStringList &DialogLayout::ControlKinds() {
    static const QStringList kinds{QStringLiteral("button"),   QStringLiteral("groupbox"),
                                   QStringLiteral("static"),   QStringLiteral("edit"),
                                   QStringLiteral("picture"),  QStringLiteral("combobox"),
                                   QStringLiteral("datetime"), QStringLiteral("radio")};
    return kinds;
}

std::optional<DialogLayout> DialogLayout::FromJson(const QByteArray &json, QString *error) {
    QJsonParseError parse;
    const QJsonDocument document = QJsonDocument::fromJson(json, &parse);
    try {
        if (parse.error != QJsonParseError::NoError || !document.isObject())
            Refuse(QStringLiteral("not a layout: %1").arg(parse.errorString()));
        return Layout(document.object());
    } catch (const LayoutError &failure) {
        if (error != nullptr)
            *error = failure.reason;
        return std::nullopt;
    }
}
