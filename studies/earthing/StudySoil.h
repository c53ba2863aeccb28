#pragma once

#include <QJsonObject>

// The soil object of a study's document in each of the shapes the study window offers: one
// resistivity, two layers (rho1, rho2, h), or a list of layers from the top down, each with
// its resistivity and all but the last with a thickness. What the user typed carries over
// when the shape changes; keys beside the shape's (where the soil was fitted) stay.
class StudySoil {
public:
    enum class Shape { Uniform, TwoLayers, Layers };

    // The fewest and most rows the window's table of layers shows.
    static constexpr int kLeastLayers = 2;
    static constexpr int kMostLayers = 5;

    static Shape shape(const QJsonObject &soil);
    static int layerCount(const QJsonObject &soil);
    // The soil in another shape: the top layer's resistivity becomes the uniform one, two
    // layers the top two of the list, and the list begins with the two layers (a uniform
    // soil's resistivity over a layer yet to be typed).
    static QJsonObject reshaped(const QJsonObject &soil, Shape to);
    // A layer more at the bottom, splitting the last one: the soil stays as it was until a
    // value is typed. The layer above's thickness is the new boundary's depth below it.
    static QJsonObject withLayerAdded(const QJsonObject &soil);
    // Without the layer (from 0); the last one taken out, the one above goes down without
    // end and loses its thickness.
    static QJsonObject withLayerRemoved(const QJsonObject &soil, int layer);

private:
    struct Values;
    static Values valuesOf(const QJsonObject &soil);
    static QJsonObject withoutShape(QJsonObject soil);
};
