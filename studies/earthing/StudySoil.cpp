#include "studies/earthing/StudySoil.h"

#include "studies/earthing/StudyProject.h"

#include <QJsonArray>
#include <QJsonValue>
#include <QVector>

#include <algorithm>

namespace {

const QString kLayers = QStringLiteral("layers");
const QString kRho = QStringLiteral("rho");
const QString kThickness = QStringLiteral("thickness");

// A value still to be typed is null, so that the document's reader names it as missing.
QJsonValue orNull(const QJsonValue &value) {
    return value.isUndefined() ? QJsonValue() : value;
}

} // namespace

// The layers of a soil of any shape, from the top down.
struct StudySoil::Values {
    QVector<QJsonValue> rho;
    QVector<QJsonValue> thickness; // of all but the last
};

StudySoil::Shape StudySoil::shape(const QJsonObject &soil) {
    if (soil.value(kLayers).isArray() && !soil.contains(kRho) &&
        !soil.contains(QStringLiteral("rho1")) && !soil.contains(QStringLiteral("rho2")) &&
        !soil.contains(QStringLiteral("h")))
        return Shape::Layers;
    return StudyProject::soilLayered(soil) ? Shape::TwoLayers : Shape::Uniform;
}

int StudySoil::layerCount(const QJsonObject &soil) {
    return int(soil.value(kLayers).toArray().size());
}

StudySoil::Values StudySoil::valuesOf(const QJsonObject &soil) {
    Values v;
    switch (shape(soil)) {
    case Shape::Uniform: {
        // A soil fitted as uniform (rho1 with h null) has its resistivity as rho1.
        const QJsonValue rho = soil.value(kRho);
        v.rho = {rho.isUndefined() ? soil.value(QStringLiteral("rho1")) : rho};
        break;
    }
    case Shape::TwoLayers:
        v.rho = {soil.value(QStringLiteral("rho1")), soil.value(QStringLiteral("rho2"))};
        v.thickness = {soil.value(QStringLiteral("h"))};
        break;
    case Shape::Layers: {
        const QJsonArray layers = soil.value(kLayers).toArray();
        for (int k = 0; k < layers.size(); ++k) {
            const QJsonObject layer = layers[k].toObject();
            v.rho.append(layer.value(kRho));
            if (k + 1 < layers.size())
                v.thickness.append(layer.value(kThickness));
        }
        break;
    }
    }
    return v;
}

QJsonObject StudySoil::withoutShape(QJsonObject soil) {
    for (const char *key : {"rho", "rho1", "rho2", "h", "layered", "uniform", "layers"})
        soil.remove(QLatin1String(key));
    return soil;
}

QJsonObject StudySoil::reshaped(const QJsonObject &soil, Shape to) {
    const Values v = valuesOf(soil);
    QJsonObject out = withoutShape(soil);
    const QJsonValue top = v.rho.value(0, QJsonValue(QJsonValue::Undefined));
    switch (to) {
    case Shape::Uniform:
        out[kRho] = orNull(top);
        break;
    case Shape::TwoLayers:
        // From a uniform soil only the top layer is known: the others are left to be typed.
        out[QStringLiteral("rho1")] = orNull(top);
        if (v.rho.size() > 1) {
            out[QStringLiteral("rho2")] = orNull(v.rho[1]);
            out[QStringLiteral("h")] = orNull(v.thickness.value(0));
        }
        break;
    case Shape::Layers: {
        QJsonArray layers;
        const int count = std::max(int(v.rho.size()), kLeastLayers);
        for (int k = 0; k < count; ++k) {
            QJsonObject layer{{kRho, orNull(v.rho.value(k, QJsonValue(QJsonValue::Undefined)))}};
            if (k + 1 < count)
                layer[kThickness] = orNull(v.thickness.value(k, QJsonValue(QJsonValue::Undefined)));
            layers.append(layer);
        }
        out[kLayers] = layers;
        break;
    }
    }
    return out;
}

QJsonObject StudySoil::withLayerAdded(const QJsonObject &soil) {
    QJsonArray layers = soil.value(kLayers).toArray();
    if (layers.isEmpty() || layers.size() >= kMostLayers)
        return soil;
    QJsonObject last = layers.last().toObject();
    const QJsonValue above =
        layers.size() > 1 ? layers[layers.size() - 2].toObject().value(kThickness) : QJsonValue();
    last[kThickness] = above.isDouble() ? above : QJsonValue();
    layers[layers.size() - 1] = last;
    layers.append(QJsonObject{{kRho, orNull(last.value(kRho))}});
    QJsonObject out = soil;
    out[kLayers] = layers;
    return out;
}

QJsonObject StudySoil::withLayerRemoved(const QJsonObject &soil, int layer) {
    QJsonArray layers = soil.value(kLayers).toArray();
    if (layer < 0 || layer >= layers.size() || layers.size() <= kLeastLayers)
        return soil;
    layers.removeAt(layer);
    QJsonObject last = layers.last().toObject();
    last.remove(kThickness);
    layers[layers.size() - 1] = last;
    QJsonObject out = soil;
    out[kLayers] = layers;
    return out;
}
