#include "ui/NoteEdit.h"

#include <QKeyEvent>

NoteEdit::NoteEdit(QWidget *parent) : QPlainTextEdit(parent) {
    setTabChangesFocus(true);
}

void NoteEdit::keyPressEvent(QKeyEvent *event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (!enter) {
        QPlainTextEdit::keyPressEvent(event);
        return;
    }
    if (event->modifiers() & Qt::ControlModifier) {
        insertPlainText(QStringLiteral("\n"));
        return;
    }
    // Left to the dialog, whose Enter presses the default button.
    event->ignore();
}
