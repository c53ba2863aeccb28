#pragma once

#include <QString>
#include <QStringList>

class LayoutDialog;
class QLineEdit;

// Reading and typing into a form's fields as a user does.
namespace FormFields {

// Builds the form from its layout, shows it and waits until it is the active window.
bool open(LayoutDialog &dialog);
QLineEdit *field(const LayoutDialog &dialog, int id);
QString text(const LayoutDialog &dialog, int id);
// Focuses the field, deletes what it holds and types the text key by key.
void type(LayoutDialog &dialog, int id, const QString &text);
// The texts of count fields with consecutive ids from first.
QStringList column(const LayoutDialog &dialog, int first, int count);
QStringList split(const char *words);

} // namespace FormFields
