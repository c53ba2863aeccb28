#pragma once

#include "core/soilmodel/SoundingReading.h"

#include <QString>
#include <QVariant>
#include <QVector>

// The readings table as the user left it, whole: its array, and each row's cells as typed
// with the exact value behind a cell shown rounded, and its box. What an edit of the table
// changes from and to, and what the soil form keeps of it between openings of its window.
struct ReadingsSheet {
    struct Cell {
        QString text;
        QVariant exact; // invalid: the text is all there is
        bool operator==(const Cell &other) const {
            return text == other.text && exact == other.exact;
        }
    };
    struct Row {
        QVector<Cell> cells; // in the table's columns
        bool used = true;
        bool operator==(const Row &other) const {
            return cells == other.cells && used == other.used;
        }
    };

    tav::SoundingArray array = tav::SoundingArray::Wenner;
    QVector<Row> rows;

    bool operator==(const ReadingsSheet &other) const {
        return array == other.array && rows == other.rows;
    }
    bool operator!=(const ReadingsSheet &other) const { return !(*this == other); }
};
