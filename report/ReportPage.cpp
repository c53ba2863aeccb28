#include "report/ReportPage.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <numeric>

namespace {

QColor toneColour(ReportLine::Tone tone) {
    switch (tone) {
    case ReportLine::Tone::Pass:
        return QColor(0x1b, 0x7a, 0x32);
    case ReportLine::Tone::Fail:
        return QColor(0xc0, 0x1c, 0x1c);
    case ReportLine::Tone::Caution:
        return QColor(0x9a, 0x5b, 0x00);
    case ReportLine::Tone::Plain:
        break;
    }
    return Qt::black;
}

const QColor kNameColour(0x55, 0x55, 0x55);

} // namespace

ReportPage::ReportPage(QPainter &painter, const QRectF &page, double pointSize, bool drawing)
    : m_painter(painter), m_page(page), m_pointSize(pointSize), m_drawing(drawing),
      m_y(page.top()) {}

QFont ReportPage::font(double scale, bool bold) const {
    QFont f(QStringLiteral("Arial"));
    f.setPointSizeF(m_pointSize * scale);
    f.setBold(bold);
    return f;
}

double ReportPage::textHeight(const QString &text, const QFont &font, double width) const {
    const QFontMetricsF metrics(font, m_painter.device());
    return metrics.boundingRect(QRectF(0, 0, width, 1e6), Qt::TextWordWrap, text).height();
}

int ReportPage::plotCount(const Report &report) const {
    return int(std::count_if(report.blocks.begin(), report.blocks.end(),
                             [](const ReportBlock &b) { return b.plot.has_value(); }) +
               std::count_if(report.blocks.begin(), report.blocks.end(),
                             [](const ReportBlock &b) { return bool(b.picture); }));
}

double ReportPage::run(const Report &report, double plotHeight) {
    m_y = m_page.top();
    title(report.title);
    if (!report.information.isEmpty()) {
        heading(report.informationHeading);
        pairs(report.information);
    }
    for (const ReportBlock &block : report.blocks) {
        if (!block.heading.isEmpty())
            heading(block.heading);
        pairs(block.pairs);
        lines(block.lines);
        if (!block.header.isEmpty())
            table(block.header, block.rows);
        if (block.plot)
            plot(*block.plot, plotHeight);
        if (block.picture)
            picture(block.picture, plotHeight);
    }
    footer(report.footer);
    return m_y - m_page.top() - plotHeight * plotCount(report);
}

void ReportPage::title(const QString &text) {
    const QFont f = font(1.7, true);
    const double height = textHeight(text, f, m_page.width());
    if (m_drawing) {
        m_painter.setFont(f);
        m_painter.setPen(Qt::black);
        m_painter.drawText(QRectF(m_page.left(), m_y, m_page.width(), height), Qt::TextWordWrap,
                           text);
    }
    m_y += height + m_pointSize * 0.6;
}

void ReportPage::heading(const QString &text) {
    const QFont f = font(1.15, true);
    const double height = textHeight(text, f, m_page.width());
    m_y += m_pointSize * 0.5;
    if (m_drawing) {
        m_painter.setFont(f);
        m_painter.setPen(Qt::black);
        m_painter.drawText(QRectF(m_page.left(), m_y, m_page.width(), height), Qt::TextWordWrap,
                           text);
        m_painter.setPen(QPen(QColor(0xa0, 0xa0, 0xa0), 0));
        m_painter.drawLine(QPointF(m_page.left(), m_y + height),
                           QPointF(m_page.right(), m_y + height));
    }
    m_y += height + m_pointSize * 0.35;
}

void ReportPage::pairs(const QVector<QPair<QString, QString>> &pairs) {
    if (pairs.isEmpty())
        return;
    // Two columns of pairs once there are more than three; names in grey.
    const int columns = pairs.size() > 3 ? 2 : 1;
    const int perColumn = int((pairs.size() + columns - 1) / columns);
    const QFont f = font(1);
    const QFontMetricsF metrics(f, m_painter.device());
    const double gap = m_pointSize;
    const double columnWidth = (m_page.width() - gap * (columns - 1)) / columns;
    double nameWidth = 0;
    for (const auto &pair : pairs)
        nameWidth = std::max(nameWidth, metrics.horizontalAdvance(pair.first + QLatin1Char(' ')));
    nameWidth = std::min(nameWidth, columnWidth * 0.55);
    const double valueWidth = columnWidth - nameWidth;
    m_painter.setFont(f);
    double bottom = m_y;
    for (int c = 0; c < columns; ++c) {
        double y = m_y;
        const double x = m_page.left() + c * (columnWidth + gap);
        for (int i = c * perColumn; i < std::min<int>(pairs.size(), (c + 1) * perColumn); ++i) {
            const double height = std::max(textHeight(pairs[i].first, f, nameWidth),
                                           textHeight(pairs[i].second, f, valueWidth));
            if (m_drawing) {
                m_painter.setPen(kNameColour);
                m_painter.drawText(QRectF(x, y, nameWidth, height), Qt::TextWordWrap,
                                   pairs[i].first);
                m_painter.setPen(Qt::black);
                m_painter.drawText(QRectF(x + nameWidth, y, valueWidth, height), Qt::TextWordWrap,
                                   pairs[i].second);
            }
            y += height;
        }
        bottom = std::max(bottom, y);
    }
    m_y = bottom + m_pointSize * 0.3;
}

void ReportPage::lines(const QVector<ReportLine> &lines) {
    const QFont f = font(1);
    for (const ReportLine &line : lines) {
        const QFont shown = line.tone == ReportLine::Tone::Plain ? f : font(1, true);
        const double height = textHeight(line.text, shown, m_page.width());
        if (m_drawing) {
            m_painter.setFont(shown);
            m_painter.setPen(toneColour(line.tone));
            m_painter.drawText(QRectF(m_page.left(), m_y, m_page.width(), height), Qt::TextWordWrap,
                               line.text);
        }
        m_y += height + m_pointSize * 0.15;
    }
}

void ReportPage::table(const QStringList &header, const QVector<QStringList> &rows) {
    const QFont body = font(0.95);
    const QFont bold = font(0.95, true);
    const QFontMetricsF bodyMetrics(body, m_painter.device());
    const QFontMetricsF boldMetrics(bold, m_painter.device());
    QVector<double> widths(header.size());
    for (int c = 0; c < header.size(); ++c) {
        widths[c] = boldMetrics.horizontalAdvance(header[c]);
        for (const QStringList &row : rows)
            if (c < row.size())
                widths[c] = std::max(widths[c], bodyMetrics.horizontalAdvance(row[c]));
        widths[c] += m_pointSize * 1.5;
    }
    const double total = std::accumulate(widths.begin(), widths.end(), 0.0);
    const double scale = total > m_page.width() ? m_page.width() / total : 1;
    const double rowHeight = bodyMetrics.height() * 1.15;
    auto drawRow = [&](const QStringList &cells, const QFont &f) {
        if (m_drawing) {
            m_painter.setFont(f);
            double x = m_page.left();
            for (int c = 0; c < header.size(); ++c) {
                const QRectF cell(x, m_y, widths[c] * scale - m_pointSize * 0.5, rowHeight);
                m_painter.drawText(cell, Qt::AlignRight | Qt::AlignVCenter,
                                   c < cells.size() ? cells[c] : QString());
                x += widths[c] * scale;
            }
        }
        m_y += rowHeight;
    };
    m_painter.setPen(Qt::black);
    drawRow(header, bold);
    if (m_drawing) {
        m_painter.setPen(QPen(Qt::black, 0));
        m_painter.drawLine(QPointF(m_page.left(), m_y),
                           QPointF(m_page.left() + total * scale, m_y));
    }
    for (const QStringList &row : rows)
        drawRow(row, body);
    m_y += m_pointSize * 0.4;
}

void ReportPage::plot(const LogLogPlot &plot, double height) {
    if (m_drawing) {
        m_painter.setFont(font(0.9));
        plot.paint(m_painter, QRectF(m_page.left(), m_y, m_page.width(), height));
    }
    m_y += height + m_pointSize * 0.4;
}

void ReportPage::picture(const std::function<void(QPainter &, const QRectF &)> &draw,
                         double height) {
    if (m_drawing) {
        m_painter.save();
        m_painter.setFont(font(0.9));
        draw(m_painter, QRectF(m_page.left(), m_y, m_page.width(), height));
        m_painter.restore();
    }
    m_y += height + m_pointSize * 0.4;
}

void ReportPage::footer(const QString &text) {
    if (text.isEmpty())
        return;
    const QFont f = font(0.8);
    const double height = textHeight(text, f, m_page.width());
    if (m_drawing) {
        m_painter.setFont(f);
        m_painter.setPen(kNameColour);
        // At the foot of the page, whatever the blocks above leave free.
        m_painter.drawText(QRectF(m_page.left(), m_page.bottom() - height, m_page.width(), height),
                           Qt::AlignRight | Qt::TextWordWrap, text);
    }
    m_y += height + m_pointSize;
}
