#pragma once

#include "report/Report.h"

#include <QFont>
#include <QRectF>

class QPainter;

// One pass over a report at one size of type: measures it, and draws it when asked. The
// writer measures first, then draws with the size that fits.
class ReportPage {
public:
    ReportPage(QPainter &painter, const QRectF &page, double pointSize, bool drawing);

    // The height everything but the plots takes.
    double run(const Report &report, double plotHeight);
    int plotCount(const Report &report) const;

private:
    QFont font(double scale, bool bold = false) const;
    void title(const QString &text);
    void heading(const QString &text);
    void pairs(const QVector<QPair<QString, QString>> &pairs);
    void lines(const QVector<ReportLine> &lines);
    void table(const QStringList &header, const QVector<QStringList> &rows);
    void plot(const LogLogPlot &plot, double height);
    void picture(const std::function<void(QPainter &, const QRectF &)> &draw, double height);
    void footer(const QString &text);
    double textHeight(const QString &text, const QFont &font, double width) const;

    QPainter &m_painter;
    QRectF m_page;
    double m_pointSize;
    bool m_drawing;
    double m_y;
};
