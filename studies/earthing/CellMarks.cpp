#include "studies/earthing/CellMarks.h"

#include <QBrush>
#include <QColor>
#include <QTableWidget>

namespace {

constexpr int kInvalidRole = Qt::UserRole + 1;

} // namespace

namespace CellMarks {

void mark(QTableWidgetItem *item, const QString &why) {
    if (!item)
        return;
    item->setBackground(QColor(0xf6, 0xd0, 0xd0));
    item->setToolTip(why);
    item->setData(kInvalidRole, true);
}

void clear(QTableWidget *table) {
    for (int row = 0; row < table->rowCount(); ++row)
        for (int column = 0; column < table->columnCount(); ++column)
            if (QTableWidgetItem *item = table->item(row, column);
                item && item->data(kInvalidRole).toBool()) {
                item->setBackground(QBrush());
                item->setToolTip(QString());
                item->setData(kInvalidRole, false);
            }
}

bool marked(const QTableWidget *table, int row, int column) {
    const QTableWidgetItem *item = table->item(row, column);
    return item && item->data(kInvalidRole).toBool();
}

} // namespace CellMarks
