#include "report/ReportPage.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>

namespace {

const QColor kFrameColour(0x55, 0x55, 0x55);
constexpr double kFrameType = ReportPieces::kSmallestType;
constexpr double kFrameGap = 8; // pt between the head or foot and the text

QFont frameFont(bool bold = false) {
    return ReportPieces::font(kFrameType, bold);
}

} // namespace

ReportPage::ReportPage(QPainter &painter, const QRectF &page, const Report &report)
    : m_painter(painter), m_page(page), m_report(report),
      m_headHeight(QFontMetricsF(frameFont(true), painter.device()).height()),
      m_footHeight(report.footer.isEmpty() ? 0
                                           : ReportPieces::textHeight(painter, report.footer,
                                                                      frameFont(), page.width())) {
    const double top = m_headHeight + kFrameGap;
    const double bottom = m_footHeight > 0 ? m_footHeight + kFrameGap : 0;
    m_body = page.adjusted(0, top, 0, -bottom);
}

void ReportPage::draw(const QVector<ReportPiece> &pieces, const ReportFlow::Page &placed,
                      int number, int count) {
    head(number, count);
    foot();
    for (const ReportFlow::Placed &p : placed) {
        const ReportPiece &piece = pieces[p.piece];
        m_painter.save();
        piece.draw(m_painter,
                   QRectF(m_body.left(), m_body.top() + p.y, m_body.width(), piece.height));
        m_painter.restore();
    }
}

void ReportPage::head(int number, int count) {
    const QRectF line(m_page.left(), m_page.top(), m_page.width(), m_headHeight);
    // The page count at the right, the project left of it, the title in what is left.
    const QString pages =
        m_report.pageOf.isEmpty() ? QString() : m_report.pageOf.arg(number).arg(count);
    const QFont plain = frameFont();
    const QFontMetricsF metrics(plain, m_painter.device());
    QString right = pages;
    if (!m_report.project.isEmpty())
        right =
            pages.isEmpty() ? m_report.project : m_report.project + QStringLiteral("    ") + pages;
    const double rightWidth = metrics.horizontalAdvance(right);
    m_painter.setPen(kFrameColour);
    m_painter.setFont(plain);
    m_painter.drawText(line, Qt::AlignRight | Qt::AlignVCenter, right);
    const QFont bold = frameFont(true);
    const double titleWidth = std::max(0.0, line.width() - rightWidth - kFrameGap);
    m_painter.setFont(bold);
    m_painter.drawText(QRectF(line.left(), line.top(), titleWidth, line.height()),
                       Qt::AlignLeft | Qt::AlignVCenter,
                       QFontMetricsF(bold, m_painter.device())
                           .elidedText(m_report.title, Qt::ElideRight, titleWidth));
    m_painter.setPen(QPen(QColor(0xa0, 0xa0, 0xa0), 0));
    m_painter.drawLine(line.bottomLeft() + QPointF(0, 2), line.bottomRight() + QPointF(0, 2));
}

void ReportPage::foot() {
    if (m_report.footer.isEmpty())
        return;
    m_painter.setFont(frameFont());
    m_painter.setPen(kFrameColour);
    m_painter.drawText(
        QRectF(m_page.left(), m_page.bottom() - m_footHeight, m_page.width(), m_footHeight),
        Qt::AlignRight | Qt::TextWordWrap, m_report.footer);
}
