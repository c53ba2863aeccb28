#include "studies/soil/LayerColumnView.h"

#include "text/StringIds.h"
#include "ui/LanguageString.h"

#include <QPainter>

LayerColumnView::LayerColumnView(QWidget *parent) : QWidget(parent) {
    // The depths' labels beside a column wide enough for a resistivity and its unit.
    setMinimumWidth(int(4.5 * fontMetrics().height()) +
                    fontMetrics().horizontalAdvance(QStringLiteral("0000.0 Ω·m")) + 12);
}

void LayerColumnView::setSoil(std::optional<tav::LayeredSoil> soil) {
    m_soil = std::move(soil);
    update();
}

void LayerColumnView::paintEvent(QPaintEvent *) {
    if (!m_soil)
        return;
    QPainter painter(this);
    LayerColumn column;
    column.soil = *m_soil;
    column.unit = LoadLanguageString(StringId::Study::kOhmMetre);
    column.paint(painter, QRectF(rect()).adjusted(2, 2, -2, -2));
}
