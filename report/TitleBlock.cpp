#include "report/TitleBlock.h"

#include "core/TextEncoding.h"
#include "report/ReportPieces.h"
#include "text/StringIds.h"

#include <QFontMetricsF>
#include <QPainter>

namespace {

// The block's height on the page: a row for the field information and the revision, and
// one for each who signs.
constexpr double kHeightMm = 36;
constexpr int kRows = 4;
const QColor kLabel(0x55, 0x55, 0x55);

// A field of the site record on one line of the block, its whitespace run together.
QString oneLine(const std::string &bytes) {
    return QString::fromStdString(tav::displayUtf8(bytes)).simplified();
}

struct Cell {
    QString label;
    QString value;
    bool bold = false; // who signs, in place of a label
};

// A cell: its label small at the top, its value under it, each cut to the cell's width.
void paintCell(QPainter &painter, const QRectF &box, const Cell &cell) {
    painter.setPen(QPen(Qt::black, 0.5));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(box);
    const QRectF inner = box.adjusted(3, 2, -3, -2);
    QFont small = ReportPieces::font(ReportPieces::kSmallestType * 0.8, cell.bold);
    if (cell.bold)
        small = ReportPieces::font(ReportPieces::kSmallestType, true);
    painter.setFont(small);
    painter.setPen(cell.bold ? Qt::black : kLabel);
    const QFontMetricsF labelMetrics(small, painter.device());
    painter.drawText(inner,
                     cell.bold ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignLeft | Qt::AlignTop,
                     labelMetrics.elidedText(cell.label, Qt::ElideRight, inner.width()));
    if (cell.value.isEmpty())
        return;
    const QFont body = ReportPieces::font(ReportPieces::kSmallestType);
    painter.setFont(body);
    painter.setPen(Qt::black);
    painter.drawText(inner, Qt::AlignLeft | Qt::AlignBottom,
                     QFontMetricsF(body, painter.device())
                         .elidedText(cell.value, Qt::ElideRight, inner.width()));
}

} // namespace

namespace TitleBlock {

Filled filled(const StudyHeader &header) {
    if (!header.site)
        return {};
    return {oneLine(header.site->clientCompanyName), oneLine(header.site->fieldName),
            oneLine(header.site->fileNumber)};
}

ReportBlock block(const StudyHeader &header, const StudyTexts &texts) {
    using namespace StringId::SystemReport;
    namespace Study = StringId::Study;
    const Filled f = filled(header);
    const QVector<Cell> first{{texts.text(Study::kSiteItems + 0), f.client},
                              {texts.text(Study::kSiteItems + 1), f.field},
                              {texts.text(Study::kSiteItems + 3), f.fileNumber},
                              {texts.text(kTitleRevision), QString()}};
    const QStringList signs{texts.text(kTitlePrepared), texts.text(kTitleChecked),
                            texts.text(kTitleApproved)};
    const QStringList room{texts.text(kTitleName), texts.text(kTitleSignature),
                           texts.text(kTitleDate)};
    ReportBlock block;
    block.heading = texts.text(kTitleHeading);
    block.pictureHeight = kHeightMm;
    block.picture = [first, signs, room](QPainter &painter, const QRectF &area) {
        const double row = area.height() / kRows;
        const double quarter = area.width() / 4;
        for (int c = 0; c < first.size(); ++c)
            paintCell(painter, QRectF(area.left() + c * quarter, area.top(), quarter, row),
                      first[c]);
        for (int r = 0; r < signs.size(); ++r) {
            const double top = area.top() + (r + 1) * row;
            paintCell(painter, QRectF(area.left(), top, quarter, row), {signs[r], QString(), true});
            for (int c = 0; c < room.size(); ++c)
                paintCell(painter, QRectF(area.left() + (c + 1) * quarter, top, quarter, row),
                          {room[c], QString()});
        }
    };
    return block;
}

} // namespace TitleBlock
