#include "tests/support/FormFields.h"

#include "ui/LayoutDialog.h"

#include <QLineEdit>
#include <QTest>

namespace FormFields {

bool Open(LayoutDialog &dialog) {
    if (!dialog.Create())
        return false;
    dialog.show();
    return QTest::qWaitForWindowActive(&dialog);
}

QLineEdit *Field(const LayoutDialog &dialog, int id) {
    return dialog.item<QLineEdit>(id);
}

QString Text(const LayoutDialog &dialog, int id) {
    const QLineEdit *field = Field(dialog, id);
    return field != nullptr ? field->text() : QStringLiteral("<no field %1>").arg(id);
}

void Type(LayoutDialog &dialog, int id, const QString &text) {
    QLineEdit *field = Field(dialog, id);
    field->setFocus();
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Delete);
    QTest::keyClicks(field, text);
}

QStringList Column(const LayoutDialog &dialog, int first, int count) {
    QStringList texts;
    for (int id = first; id < first + count; ++id)
        texts.append(Text(dialog, id));
    return texts;
}

QStringList Split(const char *words) {
    return QString::fromLatin1(words).split(QLatin1Char(' '));
}

} // namespace FormFields
