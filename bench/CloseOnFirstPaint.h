#pragma once

#include <QDialog>
#include <QEvent>
#include <QObject>
#include <QTimer>

// Ends the first dialog as soon as it has been painted: the moment a user would see it.
class CloseOnFirstPaint : public QObject {
public:
    bool eventFilter(QObject *watched, QEvent *event) override {
        auto *dialog = qobject_cast<QDialog *>(watched);
        if (!m_done && dialog != nullptr && event->type() == QEvent::Paint) {
            m_done = true;
            QTimer::singleShot(0, dialog, [dialog] { dialog->done(0); });
        }
        return false;
    }

private:
    bool m_done = false;
};
