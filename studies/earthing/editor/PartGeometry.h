#pragma once

#include "studies/earthing/StudyPart.h"

#include <QPointF>
#include <QPolygonF>
#include <QRectF>
#include <QString>
#include <QVector>

// Where a part lies on the plan, read from its JSON as typed, and the same part moved,
// turned or with one of its places put elsewhere: what the plan's editor selects and edits.
// A place whose field holds no number is not one the editor can take.
namespace PartGeometry {

// An end, corner or place of a part: the path of its [x, y] in the part's object ("to",
// "at/2", "polygon/3", "conductors/1/from") and where it is, m.
struct Vertex {
    QString path;
    QPointF at;
};

QVector<Vertex> vertices(const StudyPart &part);
// The lines the part is seen by: polylines, a closed one with its first corner again at
// the end; a place of one point is a polygon of one.
QVector<QPolygonF> lines(const StudyPart &part);
// How far the nearest of its lines or places is, m; infinite when it has none.
double distance(const StudyPart &part, const QPointF &at);
// Whether it lies wholly inside the rectangle (and has somewhere to lie).
bool inside(const StudyPart &part, const QRectF &rect);
QRectF bounds(const StudyPart &part);

// Every place moved by d; coordinates to the millimetre.
void translate(StudyPart &part, const QPointF &d);
void setVertex(StudyPart &part, const QString &path, const QPointF &at);
// Turned about the centre by the angle (degrees, anticlockwise seen from above); false,
// the part left as it was, when its shape cannot turn so: a rectangular grid turns only by
// quarter turns (its sides stay along x and y), an L-shaped grid not at all.
bool rotate(StudyPart &part, const QPointF &centre, double degrees);

// To the millimetre, as coordinates are written and shown.
double rounded(double metres);

} // namespace PartGeometry
