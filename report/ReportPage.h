#pragma once

#include "report/ReportFlow.h"

#include <QRectF>

class QPainter;

// One page of a report: its head (the title; the project and "page n of m"), its foot
// (who wrote it and when), and between them the pieces the flow put on it.
class ReportPage {
public:
    // page: the printable area, in points.
    ReportPage(QPainter &painter, const QRectF &page, const Report &report);

    // Where the pieces go: the page less its head and foot.
    QRectF body() const { return m_body; }

    // Draws the page number of count (both from 1).
    void draw(const QVector<ReportPiece> &pieces, const ReportFlow::Page &placed, int number,
              int count);

private:
    void head(int number, int count);
    void foot();

    QPainter &m_painter;
    QRectF m_page;
    const Report &m_report;
    double m_headHeight;
    double m_footHeight;
    QRectF m_body;
};
