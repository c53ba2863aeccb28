#include "studies/soil/ReadingsCommand.h"

#include "studies/soil/ReadingsTable.h"

#include <utility>

ReadingsCommand::ReadingsCommand(ReadingsTable *table, const QString &name, ReadingsSheet before,
                                 ReadingsSheet after)
    : QUndoCommand(name), m_table(table), m_before(std::move(before)), m_after(std::move(after)) {}

void ReadingsCommand::undo() {
    m_table->setSheet(m_before);
}

void ReadingsCommand::redo() {
    if (m_made) {
        m_made = false; // the table already shows it
        return;
    }
    m_table->setSheet(m_after);
}
