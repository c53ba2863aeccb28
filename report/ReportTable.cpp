#include "report/ReportTable.h"

#include "report/ReportPieces.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QRegularExpression>

#include <algorithm>
#include <numeric>

namespace {

constexpr QChar kNoBreak(0x00a0);

double sum(const QVector<double> &values) {
    return std::accumulate(values.begin(), values.end(), 0.0);
}

} // namespace

QString ReportTable::keptTogether(const QString &text) {
    static const QRegularExpression point(QStringLiteral("\\([-+0-9.,e ]+\\)"));
    QString out = text;
    for (const QRegularExpressionMatch &m : point.globalMatch(text))
        for (qsizetype k = m.capturedStart(); k < m.capturedEnd(); ++k)
            if (out[k] == QLatin1Char(' '))
                out[k] = kNoBreak;
    return out;
}

ReportTable::ReportTable(const QPaintDevice *device, const QStringList &header,
                         const QVector<QStringList> &rows, double width, double bodyType,
                         double smallestType)
    : m_device(device), m_header(header), m_rows(rows), m_size(bodyType) {
    QVector<Measure> columns = measure(m_size);
    const auto longest = [&columns, this] {
        double total = 0;
        for (const Measure &m : columns)
            total += m.longest + gap();
        return total;
    };
    if (longest() > width) {
        m_size = std::max(smallestType, m_size * width / longest());
        columns = measure(m_size);
    }
    fit(columns, width);
}

QFont ReportTable::font(bool bold) const {
    return ReportPieces::font(m_size, bold);
}

// Each column's text on one line, and its longest word: the least it can be cut down to.
QVector<ReportTable::Measure> ReportTable::measure(double size) const {
    const QFontMetricsF body(ReportPieces::font(size), m_device);
    const QFontMetricsF bold(ReportPieces::font(size, true), m_device);
    QVector<Measure> columns(m_header.size());
    const auto take = [&](int c, const QString &text, const QFontMetricsF &metrics) {
        const QString laid = keptTogether(text);
        columns[c].longest = std::max(columns[c].longest, metrics.horizontalAdvance(laid));
        for (const QString &word : laid.split(QLatin1Char(' '), Qt::SkipEmptyParts))
            columns[c].word = std::max(columns[c].word, metrics.horizontalAdvance(word));
    };
    for (int c = 0; c < m_header.size(); ++c) {
        take(c, m_header[c], bold);
        for (const QStringList &row : m_rows)
            if (c < row.size())
                take(c, row[c], body);
    }
    return columns;
}

// As wide as each column's longest cell when they all fit. Else each its longest word and
// of the rest first whole the columns that lack least, so that short cells ("Conductor 12",
// "Depth (m)") stay on one line, and what is left to the others in proportion to what they
// lack. Else, words wider than the page, the longest words scaled down, cut within words.
void ReportTable::fit(const QVector<Measure> &columns, double width) {
    QVector<double> least, lack;
    for (const Measure &m : columns) {
        least.append(m.word + gap());
        lack.append(std::max(0.0, m.longest - m.word));
    }
    m_anywhere = QVector<bool>(columns.size(), false);
    m_widths = least;
    if (sum(least) > width) {
        for (double &w : m_widths)
            w *= width / sum(least);
        for (int c = 0; c < columns.size(); ++c)
            m_anywhere[c] = m_widths[c] < least[c];
        return;
    }
    QVector<int> order(columns.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&lack](int a, int b) { return lack[a] < lack[b]; });
    double left = width - sum(least);
    for (int k = 0; k < order.size(); ++k) {
        const int c = order[k];
        if (lack[c] <= left) {
            m_widths[c] += lack[c];
            left -= lack[c];
            continue;
        }
        double rest = 0;
        for (int j = k; j < order.size(); ++j)
            rest += lack[order[j]];
        for (int j = k; j < order.size(); ++j)
            m_widths[order[j]] += left * lack[order[j]] / rest;
        return;
    }
}

int ReportTable::flags(int column) const {
    return Qt::AlignRight | Qt::AlignTop |
           (m_anywhere.value(column) ? Qt::TextWrapAnywhere : Qt::TextWordWrap);
}

double ReportTable::rowHeight(const QStringList &cells, bool bold) const {
    const QFontMetricsF metrics(font(bold), m_device);
    double height = metrics.height();
    for (int c = 0; c < m_widths.size() && c < cells.size(); ++c)
        height = std::max(height, metrics
                                      .boundingRect(QRectF(0, 0, m_widths[c] - gap(), 1e6),
                                                    flags(c), keptTogether(cells[c]))
                                      .height());
    return height + 0.15 * metrics.height();
}

std::function<void(QPainter &, const QRectF &)> ReportTable::row(const QStringList &cells,
                                                                 bool bold, bool rule) const {
    const double height = rowHeight(cells, bold);
    const double lead = 0.075 * QFontMetricsF(font(bold), m_device).height();
    QVector<QPair<QRectF, int>> boxes; // each cell's text box, from the row's top left
    double x = 0;
    for (int c = 0; c < m_widths.size(); ++c) {
        // A gap of a type size on its left, half one on its right.
        boxes.append({QRectF(x + m_size, lead, m_widths[c] - gap(), height), flags(c)});
        x += m_widths[c];
    }
    QStringList texts;
    for (int c = 0; c < m_widths.size(); ++c)
        texts.append(keptTogether(cells.value(c)));
    return [boxes, texts, f = font(bold), rule, height, x](QPainter &painter, const QRectF &area) {
        painter.setFont(f);
        painter.setPen(Qt::black);
        for (int c = 0; c < boxes.size(); ++c)
            painter.drawText(boxes[c].first.translated(area.topLeft()), boxes[c].second, texts[c]);
        if (rule) {
            painter.setPen(QPen(Qt::black, 0));
            const double y = area.top() + height;
            painter.drawLine(QPointF(area.left(), y), QPointF(area.left() + x, y));
        }
    };
}
