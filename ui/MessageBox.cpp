#include "ui/MessageBox.h"

#include <QApplication>
#include <QMessageBox>

int ShowMessage(const QString &text, QWidget *owner) {
    if (owner == nullptr)
        owner = QApplication::activeModalWidget();
    QMessageBox box(QMessageBox::Warning, QCoreApplication::applicationName(), text,
                    QMessageBox::Ok, owner);
    return box.exec();
}
