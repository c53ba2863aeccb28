#include "tests/support/ModalWatcher.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

ModalWatcher::ModalWatcher() {
    qApp->installEventFilter(this);
}

ModalWatcher::~ModalWatcher() {
    qApp->removeEventFilter(this);
}

QStringList ModalWatcher::messages() const {
    QStringList texts;
    for (const Shown &shown : m_shown) {
        if (shown.className == QLatin1String("QMessageBox"))
            texts.append(shown.text);
    }
    return texts;
}

void ModalWatcher::pressKey(QDialog *dialog, int key) {
    QWidget *target = dialog->focusWidget() != nullptr ? dialog->focusWidget() : dialog;
    QTest::keyClick(target, static_cast<Qt::Key>(key));
}

bool ModalWatcher::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() != QEvent::Show)
        return false;
    auto *dialog = qobject_cast<QDialog *>(watched);
    if (dialog == nullptr || !dialog->isWindow())
        return false;
    Shown shown;
    shown.className = QString::fromLatin1(dialog->metaObject()->className());
    shown.title = dialog->windowTitle();
    if (auto *box = qobject_cast<QMessageBox *>(dialog)) {
        shown.text = box->text();
        shown.icon = box->icon();
    }
    m_shown.append(shown);
    QPointer<QDialog> guarded(dialog);
    QTimer::singleShot(0, this, [this, guarded] { answer(guarded); });
    return false;
}

void ModalWatcher::answer(QPointer<QDialog> dialog) {
    if (dialog.isNull() || !dialog->isVisible())
        return;
    if (!m_actions.isEmpty()) {
        m_actions.takeFirst()(dialog.data());
        return;
    }
    if (auto *box = qobject_cast<QMessageBox *>(dialog.data()))
        box->button(QMessageBox::Ok) != nullptr ? box->button(QMessageBox::Ok)->click()
                                                : box->reject();
    else
        dialog->reject();
}
