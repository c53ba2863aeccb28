#pragma once

#include "core/soilmodel/WennerReading.h"

#include <QTableWidget>

#include <optional>
#include <vector>

// The readings of a Wenner sounding as the user edits them: a row per reading, its
// spacing (with the box that keeps it in the fit) and its apparent resistivity, and an
// empty row at the end to extend it. Ctrl+V pastes a block of tab-, semicolon-, comma- or
// space-separated columns from the current cell on, a comma being a decimal comma unless
// it parts the columns; Delete empties the selected cells.
class ReadingsTable : public QTableWidget {
    Q_OBJECT
public:
    // A row as the user left it.
    struct Row {
        int number = 0; // 1 for the first
        QString spacingText;
        QString resistivityText;
        std::optional<double> spacing;
        std::optional<double> resistivity;
        bool used = true;

        bool blank() const {
            return spacingText.trimmed().isEmpty() && resistivityText.trimmed().isEmpty();
        }
    };

    explicit ReadingsTable(QWidget *parent = nullptr);

    // One row per reading; each value kept to the last digit while its cell is unchanged.
    void setReadings(const std::vector<tav::WennerReading> &readings);
    void clearReadings();
    std::vector<Row> readingRows() const;
    // Pastes lines of columns from the cell at row, column on, adding rows as needed.
    void pasteText(const QString &text, int row, int column);

Q_SIGNALS:
    // After any change the user makes: a value, a box, a paste, a clearing.
    void edited();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void setRowCountKeepingEmptyLast();
    void initRow(int row);
    void setCell(int row, int column, const QString &text, std::optional<double> exact = {});
    std::optional<double> cellValue(int row, int column) const;
    QString cellText(int row, int column) const;
    void clearSelectedCells();
    void changed();

    bool m_changing = false;
};
