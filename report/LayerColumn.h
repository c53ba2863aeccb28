#pragma once

#include "core/soilmodel/LayeredSoil.h"

#include <QRectF>
#include <QString>

class QPainter;

// A soil's layers drawn as a column down from the surface: each layer a band of its
// thickness to scale, shaded by its resistivity on a log scale (resistive light, conductive
// dark), its resistivity written in it and the depth of each interface beside; the last
// layer reaches to the foot, a third again as deep as the interfaces.
class LayerColumn {
public:
    tav::LayeredSoil soil;
    QString unit; // "Ω·m"

    void paint(QPainter &painter, const QRectF &area) const;
    // Where the column puts a depth (m) in area: 0 at the top.
    double yOf(double depth, const QRectF &area) const;
    // The depth the column's foot stands for.
    double footDepth() const;
};
