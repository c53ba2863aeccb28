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

SaveAnswer askToSave(const QString &text, QWidget *owner) {
    if (owner == nullptr)
        owner = QApplication::activeModalWidget();
    QMessageBox box(QMessageBox::Question, QCoreApplication::applicationName(), text,
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, owner);
    box.setDefaultButton(QMessageBox::Save);
    switch (box.exec()) {
    case QMessageBox::Save:
        return SaveAnswer::Save;
    case QMessageBox::Discard:
        return SaveAnswer::Discard;
    default:
        return SaveAnswer::Cancel;
    }
}

bool askToProceed(const QString &text, QWidget *owner) {
    if (owner == nullptr)
        owner = QApplication::activeModalWidget();
    QMessageBox box(QMessageBox::Question, QCoreApplication::applicationName(), text,
                    QMessageBox::Yes | QMessageBox::No, owner);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}
