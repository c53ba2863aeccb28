// The yardstick: the least a Qt program does to put a dialog on screen. The dialog has
// the size of TAV's main window, 862 x 453 pixels, and one button.
#include <QApplication>
#include <QDialog>
#include <QPushButton>

int main(int argc, char *argv[]) {
    QApplication application(argc, argv);
    QDialog dialog;
    dialog.setWindowTitle(QStringLiteral("Bare dialog"));
    auto *button = new QPushButton(QStringLiteral("OK"), &dialog);
    button->move(10, 10);
    dialog.setFixedSize(862, 453);
    return dialog.exec();
}
