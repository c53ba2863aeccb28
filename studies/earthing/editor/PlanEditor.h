#pragma once

#include "studies/earthing/StudyPart.h"
#include "studies/earthing/editor/PlanEdits.h"
#include "studies/earthing/editor/Snapper.h"

#include <QLineF>
#include <QObject>
#include <QPointF>
#include <QPolygonF>
#include <QRectF>
#include <QString>
#include <QVector>

#include <optional>

class EarthingProject;
class PlanView;
class QMouseEvent;
class QKeyEvent;
class QPainter;

// The plan as the study's editor: the tool in hand (select, or draw a conductor, a rod, a
// fence, a touch area, the surface layer's zone, or measure), the points it is given
// (clicked and snapped, or typed), the parts selected, and their edits, each one command
// on the study's undo stack (PlanEdits). It sees the plan's mouse and keys before the plan
// does and draws over it: the grid when zoomed in, the selection, what is being drawn and
// where the cursor snaps. It holds no part of the study: the selection is of the parts'
// indices in the document as it now is.
class PlanEditor : public QObject {
    Q_OBJECT
public:
    enum class Tool { Select, Conductor, Rod, Fence, TouchArea, SurfaceZone, Measure };

    PlanEditor(PlanView *plan, EarthingProject *project, QObject *parent = nullptr);

    Tool tool() const { return m_tool; }
    void setTool(Tool tool);
    // A polyline or polygon is being drawn, or a measure taken.
    bool isDrawing() const { return !m_corners.isEmpty(); }
    // Drops what is being drawn, or ends it as Enter does.
    void cancel();
    void finishDrawing() {
        if (isDrawing())
            finish(false);
    }
    Snapper &snapper() { return m_snapper; }
    // The metal as last checked: what the ends and crossings are of.
    void setMetal(std::vector<tav::earthing::Conductor> conductors);

    const QVector<int> &selection() const { return m_selected; }
    // The places of the one part selected that a band took, which the moves then move
    // alone ("to", "polygon/2"); empty: the parts whole.
    const QVector<QString> &selectedVertices() const { return m_vertices; }
    void select(const QVector<int> &parts);
    // The selection's edits.
    void moveBy(const QPointF &by);
    void copy();
    void paste();
    void removeSelected();
    bool rotateBy(double degrees);
    void arrayOf(int rows, int columns, const QPointF &spacing);
    // A point typed: where the tool takes it, as if clicked there; with the select tool,
    // "@dx, dy" moves the selection. False when it reads as no point.
    bool typePoint(const QString &text);
    // The hint of the tool in hand.
    QString hint() const;

Q_SIGNALS:
    void said(const QString &text); // for the window's status line
    void toolChanged(Tool tool);
    void selectionChanged();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    enum class Drag { None, Part, Vertex, Band };

    PlanView *m_plan;
    EarthingProject *m_project;
    PlanEdits m_edits;
    Snapper m_snapper;
    Tool m_tool = Tool::Select;
    QVector<int> m_selected;
    QVector<StudyPart> m_copied;
    QPolygonF m_corners;             // being drawn, m
    std::optional<QPointF> m_cursor; // snapped, m
    Snapper::Kind m_snapKind = Snapper::Kind::Free;
    std::optional<QLineF> m_measured; // the last measure, shown until the next
    Drag m_drag = Drag::None;
    QPointF m_grab;   // m, where a drag took hold (snapped)
    QPoint m_pressed; // device, where the button went down
    int m_vertexPart = -1;
    QVector<QString> m_vertexPaths; // dragged
    QVector<QString> m_vertices;    // selected
    int m_bandPart = -1;            // selected alone when a band began

    bool mousePressed(QMouseEvent *event);
    bool mouseMoved(QMouseEvent *event);
    bool mouseReleased(QMouseEvent *event);
    bool doubleClicked(QMouseEvent *event);
    bool keyPressed(QKeyEvent *event);
    void paintOver(QPainter &painter) const;

    double reach() const; // m: a few pixels
    Snapper::Snapped snapped(const QPointF &device, Qt::KeyboardModifiers modifiers) const;
    void put(const QPointF &at);
    void finish(bool closed = false);
    void pressSelect(QMouseEvent *event);
    void releaseSelect(QMouseEvent *event);
    int partAt(const QPointF &at) const;
    QPointF dragOffset() const;
    void paintGrid(QPainter &painter) const;
    void paintSelection(QPainter &painter) const;
    void paintDraft(QPainter &painter) const;
    void dropStale(); // selected indices the document no longer has
};
