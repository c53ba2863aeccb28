#pragma once

#include "report/Report.h"

#include <QFont>
#include <QRectF>
#include <QVector>

#include <functional>

class QPainter;

// The smallest things a report's page is made of, one under another: the title, a
// heading, a row of pairs, a line, a table's header or one of its rows, a picture, a
// caption. Each knows its height at the report's one size of type and draws itself into
// the area it is given; ReportFlow decides which page each goes on.
struct ReportPiece {
    double height = 0;
    double before = 0; // the space above it, none at the top of a page
    // How many pieces after it must share its page: a heading's first line, or its lines
    // and the picture it heads.
    int keep = 0;
    int header = -1;   // a table row's header piece, repeated above it at the top of a page
    bool newPage = false;
    std::function<void(QPainter &painter, const QRectF &area)> draw;
};

// Measures a report's blocks on a painter's device and makes them pieces.
class ReportPieces {
public:
    // Body text is this size throughout, whatever the report holds: a longer report takes
    // more pages, never smaller type.
    static constexpr double kBodyType = 10; // pt
    // No text of a report is smaller: a wide table's type shrinks down to this, no further.
    static constexpr double kSmallestType = 9;

    // bodyHeight: the height of a page's text, of which a picture takes a third unless
    // told otherwise.
    ReportPieces(QPainter &painter, double width, double bodyHeight);

    QVector<ReportPiece> of(const Report &report);

    static QFont font(double pointSize, bool bold = false);
    // The height of text wrapped at width.
    static double textHeight(const QPainter &painter, const QString &text, const QFont &font,
                             double width);

private:
    void block(const ReportBlock &block);
    void title(const QString &text);
    void heading(const QString &text);
    void pairs(const QVector<QPair<QString, QString>> &pairs);
    void lines(const QVector<ReportLine> &lines);
    void table(const QStringList &header, const QVector<QStringList> &rows);
    void picture(std::function<void(QPainter &, const QRectF &)> draw, double heightMm);
    void caption(const QString &text);
    void text(const QString &text, const QFont &font, const QColor &colour, double before);
    void add(ReportPiece piece);

    QPainter &m_painter;
    double m_width;
    double m_bodyHeight;
    QVector<ReportPiece> m_pieces;
};
