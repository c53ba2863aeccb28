#pragma once

#include <QColor>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <QVector>

#include <utility>

class QFont;
class QFontMetricsF;
class QPaintDevice;
class QPainter;

// One set of values of a log-log plot, every coordinate positive.
struct PlotSeries {
    enum class Style { Markers, HollowMarkers, Line, DashedLine };

    QString label;
    Style style = Style::Markers;
    QColor color;
    QVector<QPointF> points;
};

// A plot on logarithmic axes from decade to decade, with a tick at every decade and a
// shorter one at each multiple between, the axes' titles (with their units) and a legend
// above. Drawn with a QPainter into any rectangle, so that a window and a report draw the
// same picture at any size; the painter's font sets the size of its texts.
class LogLogPlot {
public:
    QString xTitle;
    QString yTitle;
    QVector<PlotSeries> series;
    // Shown in the middle when no series has a point.
    QString emptyText;

    void paint(QPainter &painter, const QRectF &area) const;
    // Where paint puts a value in the area with the font on the device: outside the frame
    // when the value lies beyond the axes.
    QPointF placeOf(const QPointF &value, const QRectF &area, const QFont &font,
                    QPaintDevice *device) const;

    // The decades 10^first to 10^last (first < last) that hold every value from low to
    // high, both positive.
    static std::pair<int, int> decades(double low, double high);
    // The label of the decade 10^exponent: 0.01, 1, 1000, ... and 1e+06 beyond.
    static QString decadeLabel(int exponent);

private:
    struct Axes {
        std::pair<int, int> x;
        std::pair<int, int> y;
    };
    bool range(Axes &axes) const;
    QRectF frame(const QRectF &area, const QFontMetricsF &metrics, const Axes &axes) const;
    void paintFrame(QPainter &painter, const QRectF &plot, const Axes &axes) const;
    void paintSeries(QPainter &painter, const QRectF &plot, const Axes &axes) const;
    void paintLegend(QPainter &painter, const QRectF &strip) const;
};
