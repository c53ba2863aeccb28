#include "report/PlanTransform.h"

#include <algorithm>

PlanTransform::PlanTransform(const QRectF &world, const QRectF &device)
    : m_worldCentre(world.center()), m_deviceCentre(device.center()) {
    const double w = std::max(world.width(), 1e-9);
    const double h = std::max(world.height(), 1e-9);
    m_scale = std::min(device.width() / w, device.height() / h);
    if (!(m_scale > 0))
        m_scale = 1;
}

QPointF PlanTransform::toDevice(const QPointF &world) const {
    return {m_deviceCentre.x() + (world.x() - m_worldCentre.x()) * m_scale,
            m_deviceCentre.y() - (world.y() - m_worldCentre.y()) * m_scale};
}

QPointF PlanTransform::toWorld(const QPointF &device) const {
    return {m_worldCentre.x() + (device.x() - m_deviceCentre.x()) / m_scale,
            m_worldCentre.y() - (device.y() - m_deviceCentre.y()) / m_scale};
}

QRectF PlanTransform::toDevice(const QRectF &world) const {
    return QRectF(toDevice(world.bottomLeft()), toDevice(world.topRight())).normalized();
}
