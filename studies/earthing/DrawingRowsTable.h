#pragma once

#include "document/DrawingPart.h"
#include "studies/earthing/StudyPart.h"

#include <QJsonObject>
#include <QJsonValue>
#include <QString>
#include <QVector>
#include <QWidget>

#include <optional>

class QPushButton;
class QTableWidget;
class QTableWidgetItem;

// One array of an imported drawing's part as a table: a row per conductor (its two ends and
// its diameter) or per rod (its place, top, length and diameter), the columns those of the
// row's schema, with buttons to add a row and take one out. Like the soil's layers it shows
// the part and says what the user typed and asked for, holding nothing the document does
// not; a cell is marked as a field is.
class DrawingRowsTable : public QWidget {
    Q_OBJECT
public:
    using Rows = tav::DrawingPart::Rows;

    explicit DrawingRowsTable(Rows rows, QWidget *parent = nullptr);

    QString key() const;
    // Shows the part's rows; a cell whose text already stands for its value keeps it.
    void load(const QJsonObject &part);
    // The label of the cell a path in the part names, as the document writes it
    // ("conductors[3].to[2]": "Conductor 4, To depth [m]") or the window does
    // ("conductors/3/to/2"); empty when it names none of this table's cells.
    QString label(const QString &path) const;
    // The same for a table of the rows, shown or not.
    static QString label(Rows rows, const QString &path);
    // Marks the cell the document path names, a row's cells for the row, every cell for
    // the array; false when the path is not this table's.
    bool mark(const QString &documentPath, const QString &why);
    // Marks the cells of the role in the row within names ("rods[2]"), only those that hold
    // the value when any does; false when the row is not this table's.
    bool mark(StudyPart::Role role, std::optional<double> value, const QString &within,
              const QString &why);
    void clearMarks();
    bool marked(int row, int column) const;

Q_SIGNALS:
    // The user typed into a cell: its path in the part ("conductors/3/to/2").
    void edited(const QString &path, const QJsonValue &value, const QString &label);
    // Add: a copy of the row selected, or of the last, after it (-1: the table is empty).
    void rowAdded(const QString &key, int copied);
    // Remove: the row selected, or the last.
    void rowRemoved(const QString &key, int row);

private:
    struct Cell {
        int row;
        int column; // -1: the whole row
    };
    // The row and column a path names; none when it is not within the rows' array.
    std::optional<Cell> cellOf(const QString &path) const { return cellOf(m_rows, path); }
    static std::optional<Cell> cellOf(Rows rows, const QString &path);
    QString cellPath(int row, int column) const;
    int chosenRow() const;
    void showCell(int row, int column, const QJsonValue &value);
    void cellEdited(QTableWidgetItem *item);

    Rows m_rows;
    QVector<StudyPart::Field> m_columns;
    QTableWidget *m_table;
    QPushButton *m_add;
    QPushButton *m_remove;
    bool m_loading = false;
};
