#include "studies/soil/ReadingCellDelegate.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>

#include <utility>

ReadingCellDelegate::ReadingCellDelegate(Paste paste, QObject *parent)
    : QStyledItemDelegate(parent), m_paste(std::move(paste)) {}

// The view watches each editor through its delegate, before the editor sees a key.
bool ReadingCellDelegate::eventFilter(QObject *watched, QEvent *event) {
    auto *editor = qobject_cast<QWidget *>(watched);
    if (editor != nullptr && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent *>(event)->matches(QKeySequence::Paste) &&
        m_paste(QApplication::clipboard()->text(), editor))
        return true;
    return QStyledItemDelegate::eventFilter(watched, event);
}
