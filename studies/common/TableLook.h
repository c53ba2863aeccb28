#pragma once

#include <QStringList>

class QTableWidget;

// How the study windows' tables of results fit their panes: each heading's unit under its
// name ("Current" over "[A]"), so that a column is no wider than its figures need; each
// column as wide as its contents; a text column given the width left, its text wrapped
// onto as many lines as it takes rather than cut short.
namespace TableLook {

// "Current [A]" as "Current\n[A]", "At (x, y) (m)" as "At (x, y)\n(m)".
QStringList stacked(const QStringList &headings);
// Read only, no row numbers, the columns as wide as their contents, the rows as high as
// their text; wrapped, when given, the column that takes the width left.
void fitToContents(QTableWidget *table, int wrapped = -1);

} // namespace TableLook
