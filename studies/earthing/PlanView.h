#pragma once

#include "report/LeakagePicture.h"
#include "report/PlanPicture.h"

#include <QLineF>
#include <QPointF>
#include <QPolygonF>
#include <QRectF>
#include <QWidget>

#include <functional>
#include <optional>

// The plan of the study's system on screen, over PlanPicture: the wheel zooms about the
// cursor, a drag pans (the middle or right button always, the left one when no editor
// takes it), a drag with Shift draws the profile line, shown as it is drawn and said once
// the drag ends; it tells where the cursor is in metres. The plan's editor (PlanEditor)
// sees its mouse and keys first, through an event filter, and draws over it.
class PlanView : public QWidget {
    Q_OBJECT
public:
    explicit PlanView(QWidget *parent = nullptr);

    PlanPicture &picture() { return m_picture; }
    // The conductors coloured by their leakage over the plan, while its result is set.
    LeakagePicture &leakage() { return m_leakage; }
    // Repaints after the picture changed; fit: show its whole extent again.
    void refresh(bool fit);
    QRectF world() const { return m_world; }
    // Device to metres and back, as the picture is drawn now.
    QPointF toWorld(const QPointF &device) const;
    QPointF toDevice(const QPointF &world) const;
    // Moves the plan so that the point (m) is in its middle, at the same scale.
    void centreOn(const QPointF &world);

    // Drawn over the plan after the picture, in the widget's coordinates.
    void setOverlay(std::function<void(QPainter &)> paint) { m_overlay = std::move(paint); }

Q_SIGNALS:
    void cursorMoved(QPointF at); // m
    void profileChanged(QLineF line);

protected:
    void paintEvent(QPaintEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    QSize sizeHint() const override { return {480, 400}; }

private:
    enum class Drag { None, Pan, Profile };

    PlanPicture m_picture;
    LeakagePicture m_leakage;
    QRectF m_world;
    Drag m_drag = Drag::None;
    QPointF m_dragFrom; // device for a pan, world for a profile
    // The line shown before a profile's drag, shown again when the drag draws none.
    std::optional<QLineF> m_profileBefore;
    std::function<void(QPainter &)> m_overlay;
    // Where the plan is drawn in the widget: less a strip for the legend of a map.
    QRectF planArea() const;
};
