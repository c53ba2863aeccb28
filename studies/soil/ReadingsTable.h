#pragma once

#include "core/soilmodel/SoundingReading.h"
#include "core/soilmodel/WennerReading.h"
#include "studies/soil/ReadingsSheet.h"

#include <QTableWidget>

class QUndoStack;

#include <optional>
#include <vector>

// The readings of a sounding as the user edits them: a row per reading, its spacing (with
// the box that keeps it in the fit), under a Schlumberger array its own MN/2, and its
// apparent resistivity, and an empty row at the end to extend it. Ctrl+V pastes a block of
// tab-, semicolon-, comma- or space-separated columns from the current cell on, whether or
// not a cell is being typed (a single value goes into the cell typed), a comma being a
// decimal comma unless it parts the columns; Delete empties the selected cells. Every edit
// the user makes is a named command on its undo stack, which puts the table back whole.
class ReadingsTable : public QTableWidget {
    Q_OBJECT
public:
    // A row as the user left it.
    struct Row {
        int number = 0; // 1 for the first
        QString spacingText;
        QString mnText; // Schlumberger only
        QString resistivityText;
        std::optional<double> spacing;
        std::optional<double> mn;
        std::optional<double> resistivity;
        bool used = true;

        bool blank() const {
            return spacingText.trimmed().isEmpty() && mnText.trimmed().isEmpty() &&
                   resistivityText.trimmed().isEmpty();
        }
    };

    explicit ReadingsTable(QWidget *parent = nullptr);

    QUndoStack *undoStack() const { return m_undo; }

    // One row per reading; each value kept to the last digit while its cell is unchanged.
    // An edit named name, or, without a name, what the edits start from.
    void setReadings(const std::vector<tav::WennerReading> &readings,
                     const QString &name = QString());
    // The readings of the array with their boxes (all ticked when used is empty).
    void setSoundingReadings(tav::SoundingArray array,
                             const std::vector<tav::SoundingReading> &readings,
                             const std::vector<bool> &used = {}, const QString &name = QString());
    // Schlumberger adds the MN/2 column after the spacing, which then reads AB/2; the
    // values typed stay in their columns. An edit of its own.
    void setArray(tav::SoundingArray array);
    tav::SoundingArray array() const { return m_array; }
    // Empties the table, an edit Undo takes back.
    void clearReadings();
    std::vector<Row> readingRows() const;
    // Pastes lines of columns from the cell at row, column on, adding rows as needed.
    void pasteText(const QString &text, int row, int column);

    // The table whole, and put back whole (by Undo and Redo, or as kept), without an edit.
    ReadingsSheet sheet() const;
    void setSheet(const ReadingsSheet &sheet);

Q_SIGNALS:
    // After any change: a value, a box, a paste, a clearing, an undo.
    void edited();
    void arrayChanged(tav::SoundingArray array);

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void setRowCountKeepingEmptyLast();
    void initRow(int row);
    void setCell(int row, int column, const QString &text, const QVariant &exact = QVariant());
    std::optional<double> cellValue(int row, int column) const;
    QString cellText(int row, int column) const;
    void clearSelectedCells();
    void changed(const QTableWidgetItem *item);
    // A paste into the cell being typed: false for a single value, which the cell takes.
    bool pasteWhileTyping(const QString &text, QWidget *editor);
    // Pushes the change from the table as last shown, named, unless there is none.
    void commit(const QString &name);
    void setHeaders();
    int resistivityColumn() const { return columnCount() - 1; }
    bool rowEmpty(int row) const;

    bool m_changing = false;
    tav::SoundingArray m_array = tav::SoundingArray::Wenner;
    QUndoStack *m_undo;
    ReadingsSheet m_shown; // as the last edit, undo or redo left it
};
