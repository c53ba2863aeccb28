#include "tests/support/FormFields.h"

#include "ui/LayoutDialog.h"

#include <QLineEdit>
#include <QTest>

namespace FormFields {

bool open(LayoutDialog &dialog) {
    if (!dialog.create())
        return false;
    dialog.show();
    return QTest::qWaitForWindowActive(&dialog);
}

QLineEdit *field(const LayoutDialog &dialog, int id) {
    return dialog.item<QLineEdit>(id);
}

QString text(const LayoutDialog &dialog, int id) {
    const QLineEdit *edit = field(dialog, id);
    return edit != nullptr ? edit->text() : QStringLiteral("<no field %1>").arg(id);
}

void type(LayoutDialog &dialog, int id, const QString &text) {
    QLineEdit *edit = field(dialog, id);
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
}

QStringList column(const LayoutDialog &dialog, int first, int count) {
    QStringList texts;
    for (int id = first; id < first + count; ++id)
        texts.append(text(dialog, id));
    return texts;
}

QStringList split(const char *words) {
    return QString::fromLatin1(words).split(QLatin1Char(' '));
}

} // namespace FormFields
