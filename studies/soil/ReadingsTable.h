#pragma once

#include "core/soilmodel/SoundingReading.h"
#include "core/soilmodel/WennerReading.h"

#include <QTableWidget>

#include <optional>
#include <vector>

// The readings of a sounding as the user edits them: a row per reading, its spacing (with
// the box that keeps it in the fit), under a Schlumberger array its own MN/2, and its
// apparent resistivity, and an empty row at the end to extend it. Ctrl+V pastes a block of tab-,
// semicolon-, comma- or space-separated columns from the current cell on, a comma being a decimal
// comma unless it parts the columns; Delete empties the selected cells.
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

    // One row per reading; each value kept to the last digit while its cell is unchanged.
    void setReadings(const std::vector<tav::WennerReading> &readings);
    // The readings of either array with their boxes (all ticked when used is empty); the
    // table takes the readings' array.
    void setSoundingReadings(const std::vector<tav::SoundingReading> &readings,
                             const std::vector<bool> &used = {});
    // Schlumberger adds the MN/2 column after the spacing, which then reads AB/2; the
    // values typed stay in their columns.
    void setArray(tav::SoundingArray array);
    tav::SoundingArray array() const { return m_array; }
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
    void setHeaders();
    int resistivityColumn() const { return columnCount() - 1; }
    bool rowEmpty(int row) const;

    bool m_changing = false;
    tav::SoundingArray m_array = tav::SoundingArray::Wenner;
};
