#pragma once

#include <QFont>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <QVector>

#include <functional>

class QPainter;
class QPaintDevice;

// A report's table laid out across the width of a page: its type the body's, or as much
// smaller as lets its columns fit, down to the smallest; each column as wide as its
// longest cell when they all fit, else as wide as its longest word and a share of what is
// left in proportion to what it would need more; a cell's text wrapped within its column,
// its row as tall as its tallest cell. No text runs into its neighbour's column.
class ReportTable {
public:
    ReportTable(const QPaintDevice *device, const QStringList &header,
                const QVector<QStringList> &rows, double width, double bodyType,
                double smallestType);

    double typeSize() const { return m_size; }
    // Each column's width, its gaps included; they add up to at most the width.
    const QVector<double> &widths() const { return m_widths; }
    // The height of a row of these cells, in bold for the header.
    double rowHeight(const QStringList &cells, bool bold) const;
    // Draws a row of cells into the top of the area it is given, right-aligned in their
    // columns, with a rule under it when asked.
    std::function<void(QPainter &painter, const QRectF &area)> row(const QStringList &cells,
                                                                   bool bold, bool rule) const;

    // The text as it is laid out: the spaces within a point's parentheses made
    // non-breaking, so that "(12.5, 3, 0.6)" is never cut across two lines; words in
    // parentheses wrap as any.
    static QString keptTogether(const QString &text);

private:
    struct Measure {
        double longest = 0; // the whole text on one line
        double word = 0;    // its longest word
    };
    QVector<Measure> measure(double size) const;
    void fit(const QVector<Measure> &columns, double width);
    double gap() const { return m_size * 1.5; }
    int flags(int column) const;
    QFont font(bool bold) const;

    const QPaintDevice *m_device;
    QStringList m_header;
    QVector<QStringList> m_rows;
    double m_size = 10;
    QVector<double> m_widths;
    QVector<bool> m_anywhere; // a column narrower than its longest word breaks within words
};
