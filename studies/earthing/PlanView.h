#pragma once

#include "report/PlanPicture.h"

#include <QLineF>
#include <QPointF>
#include <QRectF>
#include <QWidget>

#include <optional>

// The plan of the study's system on screen, over PlanPicture: the wheel zooms about the
// cursor, a drag pans, a drag with Shift draws the profile line; it tells where the
// cursor is in metres.
class PlanView : public QWidget {
    Q_OBJECT
public:
    explicit PlanView(QWidget *parent = nullptr);

    PlanPicture &picture() { return m_picture; }
    // Repaints after the picture changed; fit: show its whole extent again.
    void refresh(bool fit);
    QRectF world() const { return m_world; }
    // Device to metres and back, as the picture is drawn now.
    QPointF toWorld(const QPointF &device) const;
    QPointF toDevice(const QPointF &world) const;

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
    QRectF m_world;
    Drag m_drag = Drag::None;
    QPointF m_dragFrom; // device for a pan, world for a profile
};
