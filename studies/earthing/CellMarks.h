#pragma once

#include <QString>

class QTableWidget;
class QTableWidgetItem;

// A table cell marked as a field is when what it holds cannot be taken: a red ground and a
// tooltip that says why. The tables that show a study's rows (the soil's layers, a
// drawing's conductors and rods) mark and clear their cells through these.
namespace CellMarks {

void mark(QTableWidgetItem *item, const QString &why);
// Every marked cell of the table back to plain.
void clear(QTableWidget *table);
bool marked(const QTableWidget *table, int row, int column);

} // namespace CellMarks
