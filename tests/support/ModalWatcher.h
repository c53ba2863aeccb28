#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QVector>

#include <functional>

class QDialog;

// Sees every dialog and message box the program shows while it lives, notes what it
// showed, and answers it: by the next queued action if there is one, otherwise a
// message box with OK and any other dialog with Escape. The answer runs from the
// dialog's own modal loop, so the code that showed it carries on as it would for a user.
class ModalWatcher : public QObject {
    Q_OBJECT
public:
    struct Shown {
        QString className;
        QString title;
        QString text; // message boxes only
        int icon = 0; // QMessageBox::Icon, message boxes only
    };
    using Action = std::function<void(QDialog *)>;

    ModalWatcher();
    ~ModalWatcher() override;

    void then(Action action) { m_actions.append(std::move(action)); }
    const QVector<Shown> &shown() const { return m_shown; }
    QStringList messages() const;

    static void pressKey(QDialog *dialog, int key);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void answer(QPointer<QDialog> dialog);

    QVector<Action> m_actions;
    QVector<Shown> m_shown;
};
