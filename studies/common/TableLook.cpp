#include "studies/common/TableLook.h"

#include <QHeaderView>
#include <QTableWidget>

namespace TableLook {

QStringList stacked(const QStringList &headings) {
    QStringList out;
    for (const QString &heading : headings) {
        const int unit = std::max(heading.lastIndexOf(QStringLiteral(" [")),
                                  heading.lastIndexOf(QStringLiteral(" (")));
        const bool last =
            unit > 0 && (heading.endsWith(QLatin1Char(']')) || heading.endsWith(QLatin1Char(')')));
        out.append(last ? heading.left(unit) + QLatin1Char('\n') + heading.mid(unit + 1) : heading);
    }
    return out;
}

void fitToContents(QTableWidget *table, int wrapped) {
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->verticalHeader()->hide();
    table->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table->setWordWrap(true);
    if (wrapped >= 0)
        table->horizontalHeader()->setSectionResizeMode(wrapped, QHeaderView::Stretch);
}

} // namespace TableLook
