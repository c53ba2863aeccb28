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

[[noreturn]] void refuse(const QString &reason) {
    throw LayoutError{reason};
}

const QStringList &windowFlags() {
    static const QStringList flags{QStringLiteral("caption"), QStringLiteral("sysmenu"),
                                   QStringLiteral("minimizebox"), QStringLiteral("appwindow")};
    return flags;
}

const QStringList &controlFlags() {
    static const QStringList flags{
        QStringLiteral("tabstop"),   QStringLiteral("default"),    QStringLiteral("disabled"),
        QStringLiteral("multiline"), QStringLiteral("center"),     QStringLiteral("right"),
        QStringLiteral("vcenter"),   QStringLiteral("nowrap"),     QStringLiteral("sunken"),
        QStringLiteral("border"),    QStringLiteral("staticedge"), QStringLiteral("readonly"),
        QStringLiteral("number"),    QStringLiteral("vscroll")};
    return flags;
}

void onlyMembers(const QJsonObject &object, const QStringList &known, const QString &where) {
    for (auto it = object.begin(); it != object.end(); ++it) {
        if (!known.contains(it.key()))
            refuse(QStringLiteral("%1: unknown member \"%2\"").arg(where, it.key()));
    }
}

int bounded(const QJsonValue &value, int low, int high, const QString &what) {
    const double number = value.toDouble(qQNaN());
    if (!(number >= low && number <= high) || number != static_cast<int>(number))
        refuse(
            QStringLiteral("%1 must be a whole number from %2 to %3").arg(what).arg(low).arg(high));
    return static_cast<int>(number);
}

QString text(const QJsonValue &value, const QString &what) {
    if (value.isUndefined())
        return {};
    if (!value.isString() || value.toString().size() > DialogLayout::kMaxTextLength)
        refuse(QStringLiteral("%1 must be a text of at most %2 characters")
                   .arg(what)
                   .arg(DialogLayout::kMaxTextLength));
    return value.toString();
}

QStringList flags(const QJsonValue &value, const QStringList &known, const QString &where) {
    QStringList flags;
    const QJsonArray array = value.toArray();
    if (!value.isUndefined() && !value.isArray())
        refuse(QStringLiteral("%1: style must be a list").arg(where));
    for (const QJsonValue &item : array) {
        if (!known.contains(item.toString()))
            refuse(QStringLiteral("%1: unknown style flag \"%2\"").arg(where, item.toString()));
        flags.append(item.toString());
    }
    return flags;
}

QRect rect(const QJsonValue &value, const QString &where) {
    const QJsonArray numbers = value.toArray();
    if (numbers.size() != 4)
        refuse(QStringLiteral("%1: rect must be four numbers").arg(where));
    const int max = DialogLayout::kMaxUnits;
    const QString what = where + QStringLiteral(": rect");
    return QRect(bounded(numbers[0], 0, max, what), bounded(numbers[1], 0, max, what),
                 bounded(numbers[2], 0, max, what), bounded(numbers[3], 0, max, what));
}

QString controlName(int index, const QJsonObject &object) {
    const QJsonValue id = object.value(QLatin1String("id"));
    return id.isDouble() ? QStringLiteral("control %1").arg(id.toDouble())
                         : QStringLiteral("control #%1").arg(index + 1);
}

ControlTemplate controlFrom(int index, const QJsonObject &object) {
    static const QStringList members{QStringLiteral("id"),     QStringLiteral("kind"),
                                     QStringLiteral("text"),   QStringLiteral("rect"),
                                     QStringLiteral("style"),  QStringLiteral("bitmap"),
                                     QStringLiteral("format"), QStringLiteral("name")};
    const QString where = controlName(index, object);
    onlyMembers(object, members, where);
    ControlTemplate control;
    control.kind = object.value(QLatin1String("kind")).toString();
    if (!DialogLayout::controlKinds().contains(control.kind))
        refuse(QStringLiteral("%1: unknown kind \"%2\"").arg(where, control.kind));
    if (object.contains(QLatin1String("id")))
        control.id =
            bounded(object.value(QLatin1String("id")), 0, 65535, where + QStringLiteral(": id"));
    control.text = text(object.value(QLatin1String("text")), where + QStringLiteral(": text"));
    control.rect = rect(object.value(QLatin1String("rect")), where);
    control.style = flags(object.value(QLatin1String("style")), controlFlags(), where);
    if (object.contains(QLatin1String("bitmap")))
        control.bitmap = bounded(object.value(QLatin1String("bitmap")), 0, 65535,
                                 where + QStringLiteral(": bitmap"));
    control.format =
        text(object.value(QLatin1String("format")), where + QStringLiteral(": format"));
    control.name = text(object.value(QLatin1String("name")), where + QStringLiteral(": name"));
    return control;
}

DialogLayout layout(const QJsonObject &object) {
    static const QStringList members{QStringLiteral("id"),    QStringLiteral("title"),
                                     QStringLiteral("size"),  QStringLiteral("font"),
                                     QStringLiteral("style"), QStringLiteral("controls")};
    DialogLayout layout;
    layout.id = bounded(object.value(QLatin1String("id")), 0, 65535, QStringLiteral("id"));
    const QString name = QStringLiteral("layout %1").arg(layout.id);
    try {
        onlyMembers(object, members, name);
        layout.title = text(object.value(QLatin1String("title")), QStringLiteral("title"));
        const QJsonArray size = object.value(QLatin1String("size")).toArray();
        const QJsonArray font = object.value(QLatin1String("font")).toArray();
        if (size.size() != 2 || font.size() != 2 || !font[0].isString())
            refuse(QStringLiteral("size must be two numbers and font a name and a size"));
        layout.size = QSize(bounded(size[0], 1, DialogLayout::kMaxUnits, QStringLiteral("width")),
                            bounded(size[1], 1, DialogLayout::kMaxUnits, QStringLiteral("height")));
        layout.fontFamily = text(font[0], QStringLiteral("font name"));
        layout.fontPoints = bounded(font[1], DialogLayout::kMinPoints, DialogLayout::kMaxPoints,
                                    QStringLiteral("font size"));
        layout.style =
            flags(object.value(QLatin1String("style")), windowFlags(), QStringLiteral("window"));
        const QJsonArray controls = object.value(QLatin1String("controls")).toArray();
        if (controls.size() > DialogLayout::kMaxControls)
            refuse(QStringLiteral("more than %1 controls").arg(DialogLayout::kMaxControls));
        QSet<int> ids;
        QSet<QString> names;
        for (int i = 0; i < controls.size(); ++i) {
            const ControlTemplate control = controlFrom(i, controls[i].toObject());
            if (control.id >= 0 && ids.contains(control.id))
                refuse(QStringLiteral("control %1: the id is used twice").arg(control.id));
            if (!control.name.isEmpty() && names.contains(control.name))
                refuse(QStringLiteral("control %1: the name \"%2\" is used twice")
                           .arg(control.id)
                           .arg(control.name));
            ids.insert(control.id);
            names.insert(control.name);
            layout.controls.append(control);
        }
    } catch (const LayoutError &error) {
        refuse(name + QStringLiteral(": ") + error.reason);
    }
    return layout;
}

} // namespace

const QStringList &DialogLayout::controlKinds() {
    static const QStringList kinds{QStringLiteral("button"),   QStringLiteral("groupbox"),
                                   QStringLiteral("static"),   QStringLiteral("edit"),
                                   QStringLiteral("picture"),  QStringLiteral("combobox"),
                                   QStringLiteral("datetime"), QStringLiteral("radio")};
    return kinds;
}

std::optional<DialogLayout> DialogLayout::fromJson(const QByteArray &json, QString *error) {
    QJsonParseError parse;
    const QJsonDocument document = QJsonDocument::fromJson(json, &parse);
    try {
        if (parse.error != QJsonParseError::NoError || !document.isObject())
            refuse(QStringLiteral("not a layout: %1").arg(parse.errorString()));
        return layout(document.object());
    } catch (const LayoutError &failure) {
        if (error != nullptr)
            *error = failure.reason;
        return std::nullopt;
    }
}
