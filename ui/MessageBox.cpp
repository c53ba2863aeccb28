#include "ui/MessageBox.h"

#include <QApplication>
#include <QMessageBox>

namespace {

int show(QMessageBox::Icon icon, const QString &text, QWidget *owner) {
    if (owner == nullptr)
        owner = QApplication::activeModalWidget();
    QMessageBox box(icon, QCoreApplication::applicationName(), text, QMessageBox::Ok, owner);
    return box.exec();
}

} // namespace

int showMessage(const QString &text, QWidget *owner) {
    return show(QMessageBox::Warning, text, owner);
}

int showFailure(const QString &text, QWidget *owner) {
    return show(QMessageBox::Critical, text, owner);
}
