#pragma once

#include "report/LeakagePicture.h"
#include "report/PlanPicture.h"

#include <QLineF>
#include <QPointF>
#include <QPolygonF>
#include <QRectF>
#include <QWidget>

#include <optional>

// The plan of the study's system on screen, over PlanPicture: the wheel zooms about the
// cursor, a drag pans, a drag with Shift draws the profile line, shown as it is drawn and
// said once the drag ends; it tells where the cursor is in metres. While a polygon is
// drawn, each click adds a corner, a double-click or Enter closes it and Escape
// (cancelDrawing) drops it.
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

    void startDrawing();
    void cancelDrawing();
    bool isDrawing() const { return m_drawing; }

Q_SIGNALS:
    void cursorMoved(QPointF at); // m
    void profileChanged(QLineF line);
    // The polygon drawn, its corners in metres in the order clicked.
    void polygonDrawn(const QPolygonF &corners);

protected:
    void paintEvent(QPaintEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
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
    bool m_drawing = false;
    QPolygonF m_corners; // of the polygon being drawn, m
    void finishDrawing();
    // Where the plan is drawn in the widget: less a strip for the legend of a map.
    QRectF planArea() const;
};
