#include "studies/earthing/PlanView.h"

#include "report/PlanTransform.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <cmath>

PlanView::PlanView(QWidget *parent) : QWidget(parent) {
    setMouseTracking(true);
    setMinimumSize(200, 160);
    m_world = m_picture.extent();
}

void PlanView::refresh(bool fit) {
    if (fit)
        m_world = m_picture.extent();
    update();
}

QRectF PlanView::planArea() const {
    return m_leakage.result ? LeakagePicture::planArea(rect(), fontMetrics().height())
                            : m_picture.planArea(rect(), fontMetrics().height());
}

QPointF PlanView::toWorld(const QPointF &device) const {
    return PlanTransform(m_world, planArea()).toWorld(device);
}

QPointF PlanView::toDevice(const QPointF &world) const {
    return PlanTransform(m_world, planArea()).toDevice(world);
}

void PlanView::centreOn(const QPointF &world) {
    m_world.moveCenter(world);
    update();
}

void PlanView::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    if (!m_leakage.result) {
        m_picture.paint(painter, rect(), m_world);
        if (m_overlay)
            m_overlay(painter);
        return;
    }
    // The plan without a map of its own, the leakage over it, the legend beside.
    painter.fillRect(rect(), Qt::white);
    const QRectF plan = planArea();
    m_picture.paint(painter, plan, m_world);
    m_leakage.paint(painter, plan, m_world);
    m_leakage.paintLegend(painter, rect());
    if (m_overlay)
        m_overlay(painter);
}

// One notch (120) halves or doubles about a fifth; the point under the cursor stays.
void PlanView::wheelEvent(QWheelEvent *event) {
    const double factor = std::pow(0.8, event->angleDelta().y() / 120.0);
    const QPointF at = toWorld(event->position());
    const QPointF centre = m_world.center();
    const QSizeF size = m_world.size() * factor;
    if (size.width() < 0.5 || size.width() > 1e5)
        return;
    const QPointF newCentre = at + (centre - at) * factor;
    m_world = QRectF(newCentre - QPointF(size.width() / 2, size.height() / 2), size);
    update();
    event->accept();
}

void PlanView::mousePressEvent(QMouseEvent *event) {
    if (event->button() == Qt::LeftButton && (event->modifiers() & Qt::ShiftModifier)) {
        m_drag = Drag::Profile;
        m_dragFrom = toWorld(event->position());
        m_profileBefore = m_picture.profile;
    } else {
        m_drag = Drag::Pan;
        m_dragFrom = event->position();
    }
}

void PlanView::mouseMoveEvent(QMouseEvent *event) {
    const QPointF at = toWorld(event->position());
    Q_EMIT cursorMoved(at);
    if (m_drag == Drag::Pan) {
        const QPointF shift = at - toWorld(m_dragFrom);
        m_world.translate(-shift);
        m_dragFrom = event->position();
        update();
    } else if (m_drag == Drag::Profile) {
        m_picture.profile = QLineF(m_dragFrom, at);
        update();
    }
}

void PlanView::mouseReleaseEvent(QMouseEvent *event) {
    if (m_drag == Drag::Profile) {
        const QLineF line(m_dragFrom, toWorld(event->position()));
        if (line.length() > 0) {
            m_picture.profile = line;
            Q_EMIT profileChanged(line);
        } else {
            m_picture.profile = m_profileBefore;
        }
        update();
    }
    m_drag = Drag::None;
}
