#include "DialogLayout.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

std::optional<QRect> RectFrom(const QJsonValue &value) {
    const QJsonArray numbers = value.toArray();
    if (numbers.size() != 4)
        return std::nullopt;
    for (const QJsonValue &number : numbers) {
        if (!number.isDouble())
            return std::nullopt;
    }
    return QRect(numbers[0].toInt(), numbers[1].toInt(), numbers[2].toInt(), numbers[3].toInt());
}

QStringList StringsFrom(const QJsonValue &value) {
    QStringList strings;
    const QJsonArray array = value.toArray();
    for (const QJsonValue &item : array)
        strings.append(item.toString());
    return strings;
}

std::optional<ControlTemplate> ControlFrom(const QJsonObject &object) {
    const std::optional<QRect> rect = RectFrom(object.value(QLatin1String("rect")));
    const QString kind = object.value(QLatin1String("kind")).toString();
    if (!rect || kind.isEmpty())
        return std::nullopt;
    ControlTemplate control;
    control.id = object.value(QLatin1String("id")).toInt(-1);
    control.kind = kind;
    control.text = object.value(QLatin1String("text")).toString();
    control.rect = *rect;
    control.style = StringsFrom(object.value(QLatin1String("style")));
    control.bitmap = object.value(QLatin1String("bitmap")).toInt(0);
    return control;
}

} // namespace

std::optional<DialogLayout> DialogLayout::FromJson(const QByteArray &json) {
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return std::nullopt;
    const QJsonObject object = document.object();
    const QJsonArray size = object.value(QLatin1String("size")).toArray();
    const QJsonArray font = object.value(QLatin1String("font")).toArray();
    if (size.size() != 2 || font.size() != 2)
        return std::nullopt;

    DialogLayout layout;
    layout.id = object.value(QLatin1String("id")).toInt();
    layout.title = object.value(QLatin1String("title")).toString();
    layout.size = QSize(size[0].toInt(), size[1].toInt());
    layout.fontFamily = font[0].toString();
    layout.fontPoints = font[1].toInt();
    layout.style = StringsFrom(object.value(QLatin1String("style")));
    if (layout.size.isEmpty() || layout.fontPoints <= 0)
        return std::nullopt;
    const QJsonArray controls = object.value(QLatin1String("controls")).toArray();
    for (const QJsonValue &value : controls) {
        const std::optional<ControlTemplate> control = ControlFrom(value.toObject());
        if (!control)
            return std::nullopt;
        layout.controls.append(*control);
    }
    return layout;
}
