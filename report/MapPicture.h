#pragma once

#include "report/ContourLabels.h"
#include "report/PlanPicture.h"
#include "report/ScaledPlan.h"

#include <QPointF>
#include <QRectF>

#include <optional>
#include <vector>

class QFontMetricsF;
class QPainter;
class QPen;
class StudyTexts;

// A map of a solve for the report, one or two to a page: potential, touch or step voltage
// over the plan at a scale of the series (ScaledPlan), its legend in volts on the right
// with the tolerable voltage marked, isolines at round values labelled where they run
// straightest, the tolerable voltage's line red and dashed (dashed and dotted off the
// surface layer where it lies in a zone), and the worst point with its value (the highest
// of the potential).
class MapPicture {
public:
    MapPicture(const tav::earthing::EarthingResult &result, PlanPicture::Map map);

    std::vector<tav::earthing::Conductor> conductors; // the system's, as solved
    double north = 0; // degrees from +y towards +x, as PlanPicture's
    std::vector<ScaledPlan::GridShape> grids;         // dimensioned
    // The line drawn on a touch or step map, each place's own limit: the surface layer's
    // inside its zone, the bare soil's outside; none: no line.
    PlaceLimits tolerable;

    // The legend's strip at the area's right, points.
    static constexpr double kLegendWidth = 78;

    // The plan laid out in area less the legend's strip.
    ScaledPlan layOut(const QRectF &area) const;
    QRectF extent() const { return picture().extent(); }
    // The map's values at the raster's nodes (PlanPicture::mapValues), their range, and
    // the levels of the isolines.
    const std::vector<double> &values() const { return m_values; }
    double lowest() const { return m_lo; }
    double highest() const { return m_hi; }
    std::vector<double> levels() const { return ContourLabels::levels(m_lo, m_hi); }
    // The worst point: the highest potential's node, the worst touch, the worst step's
    // middle; none where the map has no value. A step map's values are falls, from 0 up.
    struct Worst {
        QPointF at; // m
        double value = 0;
    };
    std::optional<Worst> worst() const;

    // The labels as paint places them on plan with text of metrics, the worst point's
    // value kept clear.
    ContourLabels labels(const ScaledPlan &plan, const QFontMetricsF &metrics,
                         const StudyTexts &texts) const;

    // The worst point's value: its text, and the text's box beside the point (device).
    QString worstText(const StudyTexts &texts) const;
    QRectF worstBox(const ScaledPlan &plan, const QFontMetricsF &metrics,
                    const QString &text) const;

    void paint(QPainter &painter, const QRectF &area, const StudyTexts &texts) const;

private:
    PlanPicture picture() const;
    void paintOverlay(QPainter &painter, const ScaledPlan &plan, const StudyTexts &texts) const;
    void paintLegend(QPainter &painter, const QRectF &strip, const StudyTexts &texts) const;
    // A key under the colour bar and its level marked across it (none: below 0).
    struct TolerableKey {
        double level;
        bool onLayer;
        QString words;
    };
    std::vector<TolerableKey> tolerableKeys(const StudyTexts &texts) const;
    static double legendKey(QPainter &painter, const QRectF &strip, double y, const QString &words,
                            const QPen *pen);
    static QPen tolerablePen(bool onLayer);

    const tav::earthing::EarthingResult &m_result;
    PlanPicture::Map m_map;
    std::vector<double> m_values;
    double m_lo = 0;
    double m_hi = 0;
};
