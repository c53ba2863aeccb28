#pragma once

#include <QPointF>
#include <QPolygonF>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QVector>

#include <vector>

class QPainter;

// An isoline's label: its text centred on the line, turned along it.
struct ContourLabel {
    double level = 0;
    QString text;
    QPointF anchor;   // on the line, the label's middle (device)
    double angle = 0; // degrees, clockwise on the device as QPainter::rotate turns; within ±90
    QPolygonF box;    // the four corners the label covers (device)
};

// Where the isolines of a map are labelled: each line where it is straightest, the least
// turning over the label's length, so that the text reads along it; a place whose box
// would cover a label already placed, something to be avoided (the worst point's value)
// or run past the bounds is passed over for the next straightest, as is one within three
// label lengths of a label of the same level. A line too short for its label keeps none.
class ContourLabels {
public:
    explicit ContourLabels(const QRectF &bounds) : m_bounds(bounds) {}

    // The step of round levels (1, 2 or 5 times a power of ten: 50, 100, 200, 500 V...)
    // that gives about 5 to 12 lines over [lo, hi]: the smallest that gives no more than
    // 12; and the levels themselves, strictly between lo and hi.
    static double stepFor(double lo, double hi);
    static std::vector<double> levels(double lo, double hi);

    // Total turning, radians, of a polyline between the arc lengths from and to.
    static double turning(const QPolygonF &line, double from, double to);
    // The point at arc length s along the line.
    static QPointF pointAt(const QPolygonF &line, double s);
    static double length(const QPolygonF &line);

    void avoid(const QPolygonF &box) { m_avoid.push_back(box); }
    // A label of size (points) on each of the level's lines (device), the longest first.
    void place(double level, const QString &text, const QVector<QPolygonF> &lines,
               const QSizeF &size);
    const std::vector<ContourLabel> &labels() const { return m_labels; }

    // Each label on a white ground over its line.
    void paint(QPainter &painter) const;

private:
    bool free(const QPolygonF &box) const;
    // Whether a label of level at anchor is distance from every other of its level: the
    // pieces of one level close together need only one of them labelled.
    bool apart(double level, const QPointF &anchor, double distance) const;

    QRectF m_bounds;
    std::vector<QPolygonF> m_avoid;
    std::vector<ContourLabel> m_labels;
};
