#pragma once

#include <QPointF>
#include <QRectF>

// A world rectangle (metres, y up) fitted into a device rectangle (y down), its aspect
// kept and centred; both ways, so that a view can turn the mouse back into metres.
class PlanTransform {
public:
    PlanTransform(const QRectF &world, const QRectF &device);

    QPointF toDevice(const QPointF &world) const;
    QPointF toWorld(const QPointF &device) const;
    QRectF toDevice(const QRectF &world) const;
    double scale() const { return m_scale; } // device units per metre

private:
    QPointF m_worldCentre;
    QPointF m_deviceCentre;
    double m_scale = 1;
};
