#include "report/ReportPieces.h"

#include "report/ReportTable.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <utility>

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
constexpr double kType = ReportPieces::kBodyType;
constexpr double kPointsPerMm = 72 / 25.4;

// The spaces between pieces, in points: more above a heading than under it, so that it
// reads with what follows.
constexpr double kAfterTitle = 6;
constexpr double kAboveHeading = 5;
constexpr double kUnderHeading = 3.5;
constexpr double kAfterPairs = 3;
constexpr double kBetweenLines = 1.5;
constexpr double kAfterTable = 4;
constexpr double kAroundPicture = 4;

} // namespace

ReportPieces::ReportPieces(QPainter &painter, double width, double bodyHeight)
    : m_painter(painter), m_width(width), m_bodyHeight(bodyHeight) {}

QFont ReportPieces::font(double pointSize, bool bold) {
    QFont f(QStringLiteral("Arial"));
    f.setPointSizeF(pointSize);
    f.setBold(bold);
    return f;
}

double ReportPieces::textHeight(const QPainter &painter, const QString &text, const QFont &font,
                                double width) {
    const QFontMetricsF metrics(font, painter.device());
    return metrics.boundingRect(QRectF(0, 0, width, 1e6), Qt::TextWordWrap, text).height();
}

QVector<ReportPiece> ReportPieces::of(const Report &report) {
    m_pieces.clear();
    title(report.title);
    if (!report.information.isEmpty()) {
        heading(report.informationHeading);
        pairs(report.information);
    }
    for (const ReportBlock &b : report.blocks)
        block(b);
    return std::exchange(m_pieces, {});
}

void ReportPieces::add(ReportPiece piece) {
    m_pieces.append(std::move(piece));
}

void ReportPieces::block(const ReportBlock &b) {
    const int first = int(m_pieces.size());
    if (!b.heading.isEmpty())
        heading(b.heading);
    pairs(b.pairs);
    lines(b.lines);
    if (!b.header.isEmpty())
        table(b.header, b.rows);
    if (b.plot) {
        const LogLogPlot plot = *b.plot;
        picture([plot](QPainter &painter, const QRectF &area) { plot.paint(painter, area); },
                b.pictureHeight);
    }
    if (b.picture)
        picture(b.picture, b.pictureHeight);
    if ((b.plot || b.picture) && !b.caption.isEmpty())
        caption(b.caption);
    if (m_pieces.size() == first)
        return;
    // A heading with nothing under it holds nothing to its page.
    if (m_pieces.last().keep > 0 && !b.heading.isEmpty() && m_pieces.size() == first + 1)
        m_pieces.last().keep = 0;
    // A heading over a picture keeps its lines and the picture: it is the picture's title.
    if (!b.heading.isEmpty() && (b.plot || b.picture) && b.header.isEmpty())
        m_pieces[first].keep = int(m_pieces.size()) - first - 1 - (b.caption.isEmpty() ? 0 : 1);
    m_pieces[first].newPage = b.newPage;
}

void ReportPieces::text(const QString &text, const QFont &font, const QColor &colour,
                        double before) {
    ReportPiece piece;
    piece.before = before;
    piece.height = textHeight(m_painter, text, font, m_width);
    piece.draw = [text, font, colour](QPainter &painter, const QRectF &area) {
        painter.setFont(font);
        painter.setPen(colour);
        painter.drawText(area, Qt::TextWordWrap, text);
    };
    add(std::move(piece));
}

void ReportPieces::title(const QString &text) {
    this->text(text, font(kType * 1.7, true), Qt::black, 0);
    m_pieces.last().height += kAfterTitle;
}

void ReportPieces::heading(const QString &text) {
    const QFont f = font(kType * 1.15, true);
    ReportPiece piece;
    piece.before = kAboveHeading;
    piece.height = textHeight(m_painter, text, f, m_width) + kUnderHeading;
    piece.keep = 1; // its first line, row or picture
    piece.draw = [text, f](QPainter &painter, const QRectF &area) {
        const QRectF words = area.adjusted(0, 0, 0, -kUnderHeading);
        painter.setFont(f);
        painter.setPen(Qt::black);
        painter.drawText(words, Qt::TextWordWrap, text);
        painter.setPen(QPen(QColor(0xa0, 0xa0, 0xa0), 0));
        painter.drawLine(words.bottomLeft(), words.bottomRight());
    };
    add(std::move(piece));
}

void ReportPieces::pairs(const QVector<QPair<QString, QString>> &pairs) {
    if (pairs.isEmpty())
        return;
    // Two columns of pairs once there are more than three, read down the first, then the
    // second; names in grey. Each row of both columns is a piece: a page may end between.
    const int columns = pairs.size() > 3 ? 2 : 1;
    const int perColumn = int((pairs.size() + columns - 1) / columns);
    const QFont f = font(kType);
    const QFontMetricsF metrics(f, m_painter.device());
    const double gap = kType;
    const double columnWidth = (m_width - gap * (columns - 1)) / columns;
    // Each column's names as wide as its longest and a gap, unless that leaves its values
    // too little: a long name whose values are short takes their room rather than wrap.
    std::vector<double> nameWidth(columns, 0), valueWidth(columns, 0);
    for (int c = 0; c < columns; ++c) {
        double names = 0, values = 0;
        for (int k = c * perColumn; k < std::min(int(pairs.size()), (c + 1) * perColumn); ++k) {
            names = std::max(names, metrics.horizontalAdvance(pairs[k].first));
            values = std::max(values, metrics.horizontalAdvance(pairs[k].second));
        }
        const double room = std::max(columnWidth * 0.55, columnWidth - values - gap);
        nameWidth[c] = std::min(names + gap, room);
        valueWidth[c] = columnWidth - nameWidth[c];
    }
    for (int r = 0; r < perColumn; ++r) {
        QVector<QPair<QString, QString>> row;
        ReportPiece piece;
        for (int c = 0; c < columns && c * perColumn + r < pairs.size(); ++c) {
            // A value's points are not cut across two lines, as a table's are not.
            const QPair<QString, QString> pair(
                pairs[c * perColumn + r].first,
                ReportTable::keptTogether(pairs[c * perColumn + r].second));
            row.append(pair);
            piece.height =
                std::max({piece.height, textHeight(m_painter, pair.first, f, nameWidth[c]),
                          textHeight(m_painter, pair.second, f, valueWidth[c])});
        }
        piece.draw = [row, f, nameWidth, valueWidth, columnWidth, gap](QPainter &painter,
                                                                       const QRectF &area) {
            painter.setFont(f);
            for (int c = 0; c < row.size(); ++c) {
                const double x = area.left() + c * (columnWidth + gap);
                painter.setPen(kNameColour);
                painter.drawText(QRectF(x, area.top(), nameWidth[c], area.height()),
                                 Qt::TextWordWrap, row[c].first);
                painter.setPen(Qt::black);
                painter.drawText(QRectF(x + nameWidth[c], area.top(), valueWidth[c], area.height()),
                                 Qt::TextWordWrap, row[c].second);
            }
        };
        add(std::move(piece));
    }
    m_pieces.last().height += kAfterPairs;
}

void ReportPieces::lines(const QVector<ReportLine> &lines) {
    for (const ReportLine &line : lines) {
        const QFont shown = font(kType, line.tone != ReportLine::Tone::Plain);
        text(line.text, shown, toneColour(line.tone), 0);
        m_pieces.last().height += kBetweenLines;
    }
}

void ReportPieces::table(const QStringList &header, const QVector<QStringList> &rows) {
    // The type and the columns of the whole table, every page of it.
    const ReportTable layout(m_painter.device(), header, rows, m_width, kType, kSmallestType);
    const int headerAt = int(m_pieces.size());
    ReportPiece head;
    head.before = kBetweenLines;
    head.height = layout.rowHeight(header, true);
    head.keep = rows.isEmpty() ? 0 : 1;
    head.draw = layout.row(header, true, true);
    add(std::move(head));
    for (const QStringList &cells : rows) {
        ReportPiece piece;
        piece.height = layout.rowHeight(cells, false);
        piece.header = headerAt;
        piece.draw = layout.row(cells, false, false);
        add(std::move(piece));
    }
    m_pieces.last().height += kAfterTable;
}

void ReportPieces::picture(std::function<void(QPainter &, const QRectF &)> draw, double heightMm) {
    ReportPiece piece;
    piece.before = kAroundPicture;
    // However tall it is asked to be, a picture fits on a page.
    piece.height = std::min(heightMm > 0 ? heightMm * kPointsPerMm : m_bodyHeight / 3,
                            m_bodyHeight - kAroundPicture);
    piece.draw = [draw = std::move(draw)](QPainter &painter, const QRectF &area) {
        painter.save();
        painter.setFont(font(kType * 0.9));
        draw(painter, area);
        painter.restore();
    };
    add(std::move(piece));
}

void ReportPieces::caption(const QString &text) {
    m_pieces.last().keep = 1;
    QFont f = font(kSmallestType);
    f.setItalic(true);
    this->text(text, f, kNameColour, kBetweenLines);
}
