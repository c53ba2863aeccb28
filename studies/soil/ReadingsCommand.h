#pragma once

#include "studies/soil/ReadingsSheet.h"

#include <QUndoCommand>

class ReadingsTable;

// One edit of the readings table, named for Edit > Undo: the table before and after it,
// put back whole. It is pushed once the edit is made, so its first redo does nothing.
class ReadingsCommand : public QUndoCommand {
public:
    ReadingsCommand(ReadingsTable *table, const QString &name, ReadingsSheet before,
                    ReadingsSheet after);

    void undo() override;
    void redo() override;

private:
    ReadingsTable *m_table;
    ReadingsSheet m_before;
    ReadingsSheet m_after;
    bool m_made = true;
};
