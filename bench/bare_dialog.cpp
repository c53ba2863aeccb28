// The yardstick: the least a Qt program can do to show a dialog with a few buttons.
#include "CloseOnFirstPaint.h"

#include <QApplication>
#include <QPushButton>

int main(int argc, char *argv[]) {
    QApplication application(argc, argv);
    CloseOnFirstPaint closer;
    application.installEventFilter(&closer);
    QDialog dialog;
    dialog.setWindowTitle(QStringLiteral("Bare dialog"));
    for (int i = 0; i < 7; ++i)
        (new QPushButton(QStringLiteral("Button %1").arg(i), &dialog))->move(10, 10 + 30 * i);
    dialog.resize(760, 450);
    return dialog.exec();
}
