#include "tests/support/SoilWindowDriver.h"

#include "core/soilmodel/LayeredSoil.h"
#include "forms/SoilResistivityDlg.h"
#include "studies/earthing/EarthingStudyWindow.h"
#include "studies/soil/ReadingsTable.h"
#include "studies/soil/SoilModelWindow.h"
#include "tests/support/ModalWatcher.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>

#include <cmath>

SoilModelWindow *SoilWindowDriver::openFromButton() {
    const QList<SoilModelWindow *> before = m_form.findChildren<SoilModelWindow *>();
    // The form's mnemonics work while it is the active window, as after its study window
    // closed a window manager makes it again.
    if (!activated(&m_form))
        return nullptr;
    // The mnemonic clicks the button as a user sees it pressed, a moment later.
    QTest::keyClick(&m_form, Qt::Key_M, Qt::AltModifier);
    SoilModelWindow *opened = nullptr;
    const bool shown = QTest::qWaitFor([&] {
        for (SoilModelWindow *window : m_form.findChildren<SoilModelWindow *>())
            if (!before.contains(window) && window->isVisible())
                opened = window;
        return opened != nullptr;
    });
    // Its shortcuts (Escape, Ctrl+S) work once it is the active window.
    return shown && activated(opened) ? opened : nullptr;
}

SoilModelWindow *SoilWindowDriver::openWithReadings(const QString &pasted) {
    SoilModelWindow *window = openFromButton();
    if (window == nullptr)
        return nullptr;
    window->readingsTable()->pasteText(pasted, 0, 0);
    if (!waitForModel(*window) || !window->study().outcome || window->study().outcome->refused())
        return nullptr;
    return window;
}

bool SoilWindowDriver::waitForModel(SoilModelWindow &window) {
    QSignalSpy shown(&window, &SoilModelWindow::modelShown);
    return window.fitting() ? shown.wait(10000) : true;
}

bool SoilWindowDriver::activated(QWidget *window) {
    window->activateWindow();
    return QTest::qWaitFor([window] { return QApplication::activeWindow() == window; });
}

EarthingStudyWindow *SoilWindowDriver::useInStudy(SoilModelWindow &window) {
    QTest::mouseClick(window.findChild<QPushButton *>(QStringLiteral("useInStudy")),
                      Qt::LeftButton);
    for (QWidget *shown : QApplication::topLevelWidgets())
        if (shown->objectName() == QLatin1String("earthingStudy") && shown->isVisible())
            return qobject_cast<EarthingStudyWindow *>(shown);
    return nullptr;
}

bool SoilWindowDriver::discard(EarthingStudyWindow *study) {
    QPointer<EarthingStudyWindow> open = study;
    ModalWatcher watcher;
    watcher.then(
        [](QDialog *d) { qobject_cast<QMessageBox *>(d)->button(QMessageBox::Discard)->click(); });
    study->close();
    return QTest::qWaitFor([&open] { return open.isNull(); });
}

QString SoilWindowDriver::layerCell(const QWidget &window, int row, int column) {
    const auto *layers = window.findChild<QTableWidget *>(QStringLiteral("layersTable"));
    const QTableWidgetItem *cell = layers != nullptr ? layers->item(row, column) : nullptr;
    return cell != nullptr ? cell->text() : QString();
}

int SoilWindowDriver::layerCount(const QWidget &window) {
    return window.findChild<QTableWidget *>(QStringLiteral("layersTable"))->rowCount();
}

QString SoilWindowDriver::label(const QWidget &window, const char *name) {
    const auto *shown = window.findChild<QLabel *>(QLatin1String(name));
    return shown != nullptr ? shown->text() : QStringLiteral("<no %1>").arg(QLatin1String(name));
}

QString SoilWindowDriver::threeLayerReadings() {
    const tav::LayeredSoil soil{{300, 100, 600}, {2, 8}};
    QString text;
    for (int i = 0; i < 15; ++i) {
        const double a = 0.5 * std::pow(300.0, i / 14.0);
        text += QStringLiteral("%1\t%2\n")
                    .arg(a, 0, 'g', 17)
                    .arg(soil.wennerResistivity(a), 0, 'g', 17);
    }
    return text;
}
