#include "ui/MessageBox.h"

#include <QApplication>
#include <QMessageBox>

namespace {

int Show(QMessageBox::Icon icon, const QString &text, QWidget *owner) {
    if (owner == nullptr)
        owner = QApplication::activeModalWidget();
    QMessageBox box(icon, QCoreApplication::applicationName(), text, QMessageBox::Ok, owner);
    return box.exec();
}

} // namespace

int ShowMessage(const QString &text, QWidget *owner) {
    return Show(QMessageBox::Warning, text, owner);
}

int ShowFailure(const QString &text, QWidget *owner) {
    return Show(QMessageBox::Critical, text, owner);
}
