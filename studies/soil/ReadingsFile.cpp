#include "studies/soil/ReadingsFile.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>

#include <cmath>

namespace {

constexpr int kVersion = 1;

const QString kArrayWenner = QStringLiteral("wenner");
const QString kArraySchlumberger = QStringLiteral("schlumberger");

// A positive, finite number.
bool positive(const QJsonValue &value) {
    return value.isDouble() && std::isfinite(value.toDouble()) && value.toDouble() > 0;
}

// The object's keys are exactly these: a misspelt key is a wrong field, not a missing one
// quietly defaulted.
QString unexpectedKey(const QJsonObject &object, const QSet<QString> &keys, const QString &prefix) {
    for (const QString &key : object.keys())
        if (!keys.contains(key))
            return prefix + key;
    return {};
}

struct ReadingResult {
    tav::SoundingReading reading;
    bool used = true;
    QString field; // the wrong one, when any
};

ReadingResult readReading(const QJsonValue &value, tav::SoundingArray array,
                          const QString &prefix) {
    ReadingResult result;
    if (!value.isObject()) {
        result.field = prefix.chopped(1);
        return result;
    }
    const QJsonObject o = value.toObject();
    const bool s = array == tav::SoundingArray::Schlumberger;
    QSet<QString> keys{QStringLiteral("spacing"), QStringLiteral("resistivity"),
                       QStringLiteral("left_out")};
    if (s)
        keys.insert(QStringLiteral("mn"));
    if (const QString key = unexpectedKey(o, keys, prefix); !key.isEmpty())
        result.field = key;
    else if (!positive(o.value(QStringLiteral("spacing"))))
        result.field = prefix + QStringLiteral("spacing");
    else if (s && !positive(o.value(QStringLiteral("mn"))))
        result.field = prefix + QStringLiteral("mn");
    else if (!positive(o.value(QStringLiteral("resistivity"))))
        result.field = prefix + QStringLiteral("resistivity");
    else if (!o.value(QStringLiteral("left_out")).isBool())
        result.field = prefix + QStringLiteral("left_out");
    if (!result.field.isEmpty())
        return result;
    result.reading.array = array;
    result.reading.spacing = o.value(QStringLiteral("spacing")).toDouble();
    result.reading.halfPotentialSpacing = s ? o.value(QStringLiteral("mn")).toDouble() : 0;
    result.reading.resistivity = o.value(QStringLiteral("resistivity")).toDouble();
    result.used = !o.value(QStringLiteral("left_out")).toBool();
    return result;
}

// "auto" or a count the fit takes.
bool readLayers(const QJsonValue &value, std::optional<int> &layers) {
    if (value.isString() && value.toString() == QLatin1String("auto")) {
        layers.reset();
        return true;
    }
    const double n = value.toDouble(0);
    if (!value.isDouble() || n != std::floor(n) || n < 1 || n > tav::SoundingReadings::kMostLayers)
        return false;
    layers = int(n);
    return true;
}

} // namespace

QByteArray ReadingsFile::write(const Content &content) {
    const bool s = content.array == tav::SoundingArray::Schlumberger;
    QJsonArray readings;
    for (std::size_t i = 0; i < content.readings.size(); ++i) {
        const tav::SoundingReading &r = content.readings[i];
        QJsonObject o{{QStringLiteral("spacing"), r.spacing},
                      {QStringLiteral("resistivity"), r.resistivity},
                      {QStringLiteral("left_out"), i < content.used.size() && !content.used[i]}};
        if (s)
            o.insert(QStringLiteral("mn"), r.halfPotentialSpacing);
        readings.append(o);
    }
    const QJsonObject file{{QStringLiteral("version"), kVersion},
                           {QStringLiteral("array"), s ? kArraySchlumberger : kArrayWenner},
                           {QStringLiteral("layers"), content.layers
                                                          ? QJsonValue(*content.layers)
                                                          : QJsonValue(QStringLiteral("auto"))},
                           {QStringLiteral("readings"), readings}};
    return QJsonDocument(file).toJson(QJsonDocument::Indented);
}

ReadingsFile::Read ReadingsFile::read(const QByteArray &bytes) {
    Read read;
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject()) {
        read.notJson = error.error != QJsonParseError::NoError ? error.errorString()
                                                               : QStringLiteral("no object");
        return read;
    }
    const QJsonObject file = document.object();
    Content content;
    const QJsonValue array = file.value(QStringLiteral("array"));
    if (const QString key = unexpectedKey(file,
                                          {QStringLiteral("version"), QStringLiteral("array"),
                                           QStringLiteral("layers"), QStringLiteral("readings")},
                                          QString());
        !key.isEmpty())
        read.field = key;
    else if (file.value(QStringLiteral("version")).toDouble(0) != kVersion)
        read.field = QStringLiteral("version");
    else if (array.toString() != kArrayWenner && array.toString() != kArraySchlumberger)
        read.field = QStringLiteral("array");
    else if (!readLayers(file.value(QStringLiteral("layers")), content.layers))
        read.field = QStringLiteral("layers");
    else if (!file.value(QStringLiteral("readings")).isArray())
        read.field = QStringLiteral("readings");
    if (!read.field.isEmpty())
        return read;
    content.array = array.toString() == kArraySchlumberger ? tav::SoundingArray::Schlumberger
                                                           : tav::SoundingArray::Wenner;
    const QJsonArray readings = file.value(QStringLiteral("readings")).toArray();
    for (int i = 0; i < readings.size(); ++i) {
        const ReadingResult r =
            readReading(readings[i], content.array, QStringLiteral("readings[%1].").arg(i));
        if (!r.field.isEmpty()) {
            read.field = r.field;
            return read;
        }
        content.readings.push_back(r.reading);
        content.used.push_back(r.used);
    }
    read.content = content;
    return read;
}
