#pragma once

#include <QStyledItemDelegate>

#include <functional>

// The readings table's cell editor, which hands a paste of more than one value to the
// table: Ctrl+V in a cell being typed would otherwise put a spreadsheet's columns and rows
// into that one cell. A single value is pasted into the cell as typing would.
class ReadingCellDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    // Given the clipboard's text and the editor, true when it took the paste itself.
    using Paste = std::function<bool(const QString &text, QWidget *editor)>;

    ReadingCellDelegate(Paste paste, QObject *parent);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    Paste m_paste;
};
