#include "report/PlanKey.h"

#include "report/StudyTexts.h"
#include "text/StringIds.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>

namespace {

constexpr double kSample = 20; // pt, a symbol's box
constexpr double kBeside = 4;  // pt between a sample and its words
constexpr double kApart = 14;  // pt between one item and the next in a row

} // namespace

PlanKey::PlanKey(const std::vector<PlanPicture::Symbol> &symbols, const StudyTexts &texts) {
    for (const PlanPicture::Symbol symbol : symbols)
        m_items.push_back(
            {symbol, texts.text(StringId::PlanPictures::kKeyFirst + unsigned(symbol))});
}

std::vector<QString> PlanKey::words() const {
    std::vector<QString> out;
    for (const Item &item : m_items)
        out.push_back(item.words);
    return out;
}

std::vector<QRectF> PlanKey::layOut(const QFontMetricsF &metrics, double width) const {
    const double rowHeight = std::max(metrics.height(), 12.0) + 3;
    std::vector<QRectF> boxes;
    double x = 0, y = 0;
    for (const Item &item : m_items) {
        const double itemWidth = kSample + kBeside + metrics.horizontalAdvance(item.words);
        if (x > 0 && x + itemWidth > width) {
            x = 0;
            y += rowHeight;
        }
        boxes.emplace_back(x, y, itemWidth, rowHeight);
        x += itemWidth + kApart;
    }
    return boxes;
}

double PlanKey::height(const QFontMetricsF &metrics, double width) const {
    const std::vector<QRectF> boxes = layOut(metrics, width);
    return boxes.empty() ? 0 : boxes.back().bottom();
}

void PlanKey::paint(QPainter &painter, const QRectF &area) const {
    const std::vector<QRectF> boxes = layOut(QFontMetricsF(painter.font()), area.width());
    for (std::size_t k = 0; k < m_items.size(); ++k) {
        const QRectF box = boxes[k].translated(area.topLeft());
        PlanPicture::paintSymbol(painter, m_items[k].symbol,
                                 QRectF(box.left(), box.top(), kSample, box.height()));
        painter.setPen(Qt::black);
        painter.drawText(box.adjusted(kSample + kBeside, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
                         m_items[k].words);
    }
}
