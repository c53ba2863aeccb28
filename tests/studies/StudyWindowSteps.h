#pragma once

// The steps the earthing study window's tests take as a user would: type into a field,
// choose, add a part, click, wait for the check and the solve.
#include "studies/earthing/EarthingStudyWindow.h"
#include "studies/earthing/StudyPart.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProcess>
#include <QToolButton>
#include <QtTest>

namespace studysteps {

using Kind = StudyPart::Kind;


inline QLineEdit *field(const QWidget &w, const QString &path) {
    return w.findChild<QLineEdit *>(path);
}

// The study as typed is checked off the interface thread: what it marks shows a moment later.
inline void checked(const QWidget &w) {
    if (const auto *study = qobject_cast<const EarthingStudyWindow *>(&w))
        QTRY_VERIFY(!study->checking());
}

// As a user types it: the field's text replaced, key by key.
inline void type(const QWidget &w, const QString &path, const QString &text) {
    QLineEdit *edit = field(w, path);
    QVERIFY2(edit, qPrintable(path));
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, text);
    checked(w);
}

inline void choose(const QWidget &w, const char *name, int index) {
    auto *combo = w.findChild<QComboBox *>(QLatin1String(name));
    QVERIFY2(combo, name);
    combo->setCurrentIndex(index);
    Q_EMIT combo->activated(index);
    checked(w);
}

inline void add(const QWidget &w, Kind kind) {
    auto *button = w.findChild<QToolButton *>(QStringLiteral("addPart"));
    button->menu()->actions().at(StudyPart::offered().indexOf(kind))->trigger();
    checked(w);
}

inline void click(const QWidget &w, const char *name) {
    auto *button = w.findChild<QAbstractButton *>(QLatin1String(name));
    checked(w);
    QVERIFY2(button && button->isEnabled(), name);
    QTest::mouseClick(button, Qt::LeftButton);
    checked(w);
}

// The number a shown value starts with: "2.355 Ω", "577.7 V at (0, 20)".
inline double shownNumber(const QWidget &w, const char *name) {
    const auto *label = w.findChild<QLabel *>(QLatin1String(name));
    return label ? label->text().section(QLatin1Char(' '), 0, 0).toDouble() : -1;
}

inline QStringList markedFields(const QWidget &w) {
    QStringList marked;
    for (const QLineEdit *edit : w.findChildren<QLineEdit *>())
        if (edit->property("invalid").toBool())
            marked.append(edit->objectName());
    return marked;
}

inline QByteArray run(const QString &program, const QStringList &arguments) {
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(120000);
    return process.readAllStandardOutput();
}

// Its shortcuts work once it is the active window.
inline bool activated(QWidget &window) {
    window.activateWindow();
    return QTest::qWaitForWindowActive(&window);
}

inline bool solved(EarthingStudyWindow &window) {
    click(window, "solve");
    return QTest::qWaitFor([&] { return window.result() != nullptr && !window.solving(); }, 120000);
}


} // namespace studysteps
