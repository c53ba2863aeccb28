#pragma once

#include "studies/earthing/StudyProject.h"

#include <QPointF>
#include <QPolygonF>
#include <QVector>

class EarthingProject;

// The edits made on the plan, each one command on the study's undo stack named for what it
// does ("Move", "Array"): the document after it built here from the document now, the
// parts it leaves selected returned (their indices after it). Coordinates are written to
// the millimetre.
class PlanEdits {
public:
    explicit PlanEdits(EarthingProject *project) : m_project(project) {}

    QVector<int> move(const QVector<int> &parts, const QPointF &by);
    // Some of one part's places (its ends, corners, rods) moved by the offset.
    void moveVertices(int part, const QVector<QString> &paths, const QPointF &by);
    // Copies of the parts given, moved by the offset, after the others of their kinds.
    QVector<int> paste(const QVector<StudyPart> &copied, const QPointF &by);
    // The parts repeated in rows along y and columns along x at the spacing; the rods of a
    // part of rods are repeated within it.
    QVector<int> array(const QVector<int> &parts, int rows, int columns, const QPointF &spacing);
    // About the centre of the parts' extent; false, nothing turned, when one of them cannot.
    bool rotate(const QVector<int> &parts, double degrees);
    void remove(const QVector<int> &parts);

    // A polyline drawn: a conductor per side, of a new conductor's diameter and depth.
    QVector<int> addConductors(const QPolygonF &corners);
    // A rod where clicked, among the rods of the part given (-1: a new part of rods).
    int addRod(int rodsPart, const QPointF &at);
    // A fence along the corners, round them when closed, with a new fence's posts.
    int addFence(const QPolygonF &corners, bool closed);

    // A new part of the kind from the Add menu where there is room: beside the system along
    // x, clear of it, its size the system's height (a grid's conductors some 5 m apart), on
    // the half metre; at the origin in a study with nothing on the plan yet.
    int addBeside(StudyPart::Kind kind);

    // The extent of the parts on the plan, m.
    QRectF bounds(const QVector<int> &parts) const;

private:
    EarthingProject *m_project;
    const StudyProject &now() const;
    void push(unsigned name, const StudyProject &after, int focus);
};
