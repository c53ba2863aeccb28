#pragma once

#include "report/PlanPicture.h"
#include "report/PlanTransform.h"

#include <QLineF>
#include <QPointF>
#include <QRectF>
#include <QString>

#include <functional>
#include <vector>

class QFontMetricsF;
class QPainter;
class StudyTexts;

namespace tav {
class SystemDocument;
}

// The plan of an earthing system on a page at a scale of the drawing office's series
// (1:50, 1:100, 1:200, 1:250, 1:500, 1:1000 and on by 1, 2, 2.5 and 5 of each power of
// ten): the largest that shows the system's extent in the area given, so that a length can
// be taken off the printed page with a rule. Round the plan: a grid in metres at round
// spacings with its ticks labelled, the grids' sides and mesh spacing dimensioned, a scale
// bar and a north arrow (north is +y unless the project turns it). Page units are points (1/72 in), as the report's.
class ScaledPlan {
public:
    // A grid or an L-shaped grid as the document gives it, for its dimension lines: its
    // bounds in metres and its conductors along y (countX) and along x (countY).
    struct GridShape {
        QRectF bounds;
        int countX = 2;
        int countY = 2;
    };

    // Room left in the area for the tick labels (left and below), and below them for the
    // scale bar, the scale's text and the north arrow; round the extent, for the dimension
    // lines drawn outside the grids. All in points.
    static constexpr double kLeft = 32;
    static constexpr double kTop = 6;
    static constexpr double kRight = 6;
    static constexpr double kBottom = 50;
    static constexpr double kRoom = 20;

    // Laid out in area (points) for the extent (metres, y up): the scale chosen, the plan's
    // frame and the metres it shows, the scale bar placed.
    ScaledPlan(const QRectF &area, const QRectF &extent);

    // The denominators of the series in increasing order, up to 1:10 000 000.
    static std::vector<int> series();
    // The smallest denominator of the series at which a plan of size metres fits in room
    // points; the series' last when none does.
    static int denominatorFor(const QSizeF &metres, const QSizeF &room);
    // Points of paper per metre of ground at 1:denominator: 1000/denominator mm.
    static double pointsPerMetre(int denominator);

    int denominator() const { return m_denominator; }
    QString scaleText(const StudyTexts &texts) const; // "Scale 1:500"
    double pointsPerMetre() const { return pointsPerMetre(m_denominator); }
    QRectF frame() const { return m_frame; } // points
    QRectF world() const { return m_world; } // metres, the frame's
    PlanTransform transform() const { return PlanTransform(m_world, m_frame); }
    double gridSpacing() const { return m_gridSpacing; } // m
    // The scale bar as drawn: its rectangle on the page and the metres it stands for.
    QRectF scaleBar() const { return m_bar; }
    double scaleBarMetres() const { return m_barMetres; }

    // The plan drawn by picture (its own legend off) at the scale, the grid of metres over
    // it, then whatever overlay draws in the frame (isolines, their labels), then the
    // dimension lines, the ticks, the scale bar and the north arrow.
    void paint(QPainter &painter, const PlanPicture &picture, const std::vector<GridShape> &grids,
               const StudyTexts &texts,
               const std::function<void(QPainter &, const PlanTransform &)> &overlay = {}) const;

    // Where the dimension lines' texts of grids stand, drawn with text of metrics (page
    // points), so that other labels keep clear of them; each line stands beyond the
    // conductors and rods (a fence's posts) just outside the side it measures.
    std::vector<QRectF> dimensionTexts(const std::vector<GridShape> &grids,
                                       const std::vector<tav::earthing::Conductor> &conductors,
                                       const QFontMetricsF &metrics, const StudyTexts &texts) const;

    // The document's grids and L-shaped grids (their bounds) for the dimension lines.
    static std::vector<GridShape> gridShapes(const tav::SystemDocument &document);
    // The document's plan as it is drawn before a solve: its conductors, rods, fences'
    // posts, touch areas, touch points and the surface layer's zone.
    static PlanPicture pictureOf(const tav::SystemDocument &document);

private:
    // A dimension line: the measured points a and b and the line's offset from them.
    struct Dimension {
        QPointF a;
        QPointF b;
        QPointF offset;
        QString text;
    };
    std::vector<Dimension> dimensions(const std::vector<GridShape> &grids,
                                      const std::vector<tav::earthing::Conductor> &conductors,
                                      double textHeight, const StudyTexts &texts) const;
    // The offset of a dimension of a to b outward along unit that clears the metal beside it.
    double clearOffset(const QPointF &a, const QPointF &b, const QPointF &unit,
                       const std::vector<QLineF> &metal, double textHeight) const;
    void paintGrid(QPainter &painter) const;
    void paintTicks(QPainter &painter, const StudyTexts &texts) const;
    void paintDimensions(QPainter &painter, const std::vector<GridShape> &grids,
                         const std::vector<tav::earthing::Conductor> &conductors,
                         const StudyTexts &texts) const;
    void paintScaleBar(QPainter &painter, const StudyTexts &texts) const;
    void paintNorth(QPainter &painter, double north, const StudyTexts &texts) const;
    // The grid's values of one axis within [lo, hi].
    std::vector<double> gridValues(double lo, double hi) const;

    QRectF m_area;
    int m_denominator = 0;
    QRectF m_frame;
    QRectF m_world;
    double m_gridSpacing = 1;
    QRectF m_bar;
    double m_barMetres = 1;
};
